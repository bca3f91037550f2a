// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy date-value TEXT: the day count that a stack-file date text stands for.
class DateValueCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("date-value"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
