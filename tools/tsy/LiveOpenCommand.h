// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy open's part in the running program that holds FILE: tsy-desktop asks
// it for the entry and, once the browser has the address, has it count the
// visit. The browser is never started here.
//     open FILE KEY               prints the key of the entry KEY names (the
//                                 first, for an address) and its address,
//                                 a line each
//     open FILE KEY --visit=URL   counts a visit of that entry, when its
//                                 address is still URL, as the window's
//                                 opening does: not a step of its history
// Outside the program (no live store holds FILE) it refuses.
class LiveOpenCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("open"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
