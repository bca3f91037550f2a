// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy date-text DAYCOUNT: the stack-file date text of a day count.
class DateTextCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("date-text"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
