// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy merge FILE OTHER: merges OTHER into FILE and saves FILE with a backup.
class MergeCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("merge"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 2; }

protected:
    int execute(const QStringList &arguments) override;
};
