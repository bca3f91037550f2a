// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy move FILE GROUP KEY...: moves entries into a group.
class MoveCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("move"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;
};
