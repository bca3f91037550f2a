// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy find FILE TEXT: the keys of the entries whose titles hold TEXT.
class FindCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("find"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;
};
