// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy group list|add|rename|remove FILE ...: the group commands of the main
// window on a stack file, and the list of its groups.
class GroupCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("group"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;

private:
    int list(const QStringList &arguments);
    int add(const QStringList &arguments);
    int rename(const QStringList &arguments);
    int remove(const QStringList &arguments);
};
