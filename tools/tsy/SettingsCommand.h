// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy settings [--set NAME=VALUE ...]: the current user's settings as JSON,
// changed and written back through the program's own code.
class SettingsCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("settings"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
