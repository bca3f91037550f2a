// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreExportCommand.h"

// tsy export-xbel FILE OUT.xbel: writes the store as an XBEL file.
class ExportXbelCommand : public StoreExportCommand
{
public:
    using StoreExportCommand::StoreExportCommand;
    QString name() const override { return QStringLiteral("export-xbel"); }
    QString summary() const override;
    QString help() const override;

protected:
    QString outName() const override { return QStringLiteral("the XBEL file"); }
    bool writeStore(const URLBlock &store, const QString &out, QString *error) const override;
};
