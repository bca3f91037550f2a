// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ImportCommand.h"

// tsy import-html FILE BOOKMARKS.html: merges a Netscape bookmark file.
class ImportHtmlCommand : public ImportCommand
{
public:
    using ImportCommand::ImportCommand;
    QString name() const override { return QStringLiteral("import-html"); }
    QString summary() const override;
    QString help() const override;

protected:
    bool checkSource(const QString &source, QString *error) const override;
    bool merge(QObject *mb, const QString &source) const override;
};
