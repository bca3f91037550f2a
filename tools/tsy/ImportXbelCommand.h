// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ImportCommand.h"

// tsy import-xbel FILE IN.xbel: merges an XBEL file.
class ImportXbelCommand : public ImportCommand
{
public:
    using ImportCommand::ImportCommand;
    QString name() const override { return QStringLiteral("import-xbel"); }
    QString summary() const override;
    QString help() const override;

protected:
    bool checkSource(const QString &source, QString *error) const override;
    bool merge(QObject *mb, const QString &source) const override;
    QString mergeError(const QObject *mb, const QString &source) const override;
};
