// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ImportCommand.h"

// tsy import-favorites FILE DIR: merges a favorites folder of .url files.
class ImportFavoritesCommand : public ImportCommand
{
public:
    using ImportCommand::ImportCommand;
    QString name() const override { return QStringLiteral("import-favorites"); }
    QString summary() const override;
    QString help() const override;

protected:
    bool checkSource(const QString &source, QString *error) const override;
    bool merge(QObject *mb, const QString &source) const override;
    int skippedFiles(const QObject *mb) const override;
};
