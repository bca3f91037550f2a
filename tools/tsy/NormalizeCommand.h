// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy normalize IN OUT: loads IN and saves it to OUT.
class NormalizeCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("normalize"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    static bool normalize(const QString &in, const QString &out, QString *error);
};
