// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

// tsy export-xbel FILE OUT.xbel: writes the store as an XBEL file.
class ExportXbelCommand : public Command
{
public:
    using Command::Command;
    QString name() const override { return QStringLiteral("export-xbel"); }
    QString summary() const override;
    QString help() const override;

protected:
    int execute(const QStringList &arguments) override;
};
