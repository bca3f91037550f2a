// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreExportCommand.h"
#include "NetscapeBookmarkWriter.h"

class URLBlock;

// tsy export-html FILE OUT.html: writes the stack file as a Netscape
// bookmark file.
class ExportHtmlCommand : public StoreExportCommand
{
public:
    using StoreExportCommand::StoreExportCommand;
    QString name() const override { return QStringLiteral("export-html"); }
    QString summary() const override;
    QString help() const override;

    // The store as a bookmark file, handed to write in pieces: entries of no
    // group first, then each group as a folder of the top level. False when
    // a piece could not be written.
    static bool writeBookmarkFile(const URLBlock &store, const NetscapeBookmarkWriter::PieceWriter &write);

protected:
    QString outName() const override { return QStringLiteral("the bookmark file"); }
    bool writeStore(const URLBlock &store, const QString &out, QString *error) const override;
};
