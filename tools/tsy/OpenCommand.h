// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy open FILE KEY [--new-window]: opens an entry in the preferred browser
// as a double click does and counts the visit.
class OpenCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("open"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
