// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreEditCommand.h"

// tsy rate FILE RATING KEY...: gives entries a rating.
class RateCommand : public StoreEditCommand
{
public:
    using StoreEditCommand::StoreEditCommand;
    QString name() const override { return QStringLiteral("rate"); }
    QString summary() const override;
    QString help() const override;
    int livePaths() const override { return 1; }

protected:
    int execute(const QStringList &arguments) override;
};
