// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy reg query KEY NAME / tsy reg set KEY NAME VALUE [--dword]: one value of
// the current user's registry hive.
class RegCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("reg"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;

private:
    int query(const QStringList &arguments);
    int set(const QStringList &arguments);
};
