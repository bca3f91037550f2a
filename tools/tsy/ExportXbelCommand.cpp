// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportXbelCommand.h"

#include "XbelExport.h"

QString ExportXbelCommand::summary() const
{
    return QStringLiteral("write a stack file as an XBEL bookmark file");
}

QString ExportXbelCommand::help() const
{
    return QStringLiteral("Usage: tsy export-xbel FILE.tsy OUT.xbel\n"
                          "\n"
                          "Writes FILE's entries as an XBEL file (UTF-8), as Tessaly's \"Save URLs\" >\n"
                          "\"Save As XBEL\" does: the entries of no group first, then each group as a\n"
                          "folder of the top level holding its entries, in FILE's order. The\n"
                          "creation date and last visit are the bookmark's added and visited\n"
                          "attributes (ISO 8601, UTC, to the millisecond; left out for no date); the\n"
                          "visits, rating and category go into metadata of the owner\n"
                          "https://orvane.org/tessaly, which other editors keep and pass over, as do\n"
                          "the exact texts of titles and addresses that XML cannot hold (control\n"
                          "characters). tsy import-xbel reads the file back to the same groups and\n"
                          "entries, every field kept. OUT is replaced in one step, so a failed write\n"
                          "leaves it as it was.\n");
}

bool ExportXbelCommand::writeStore(const URLBlock &store, const QString &out, QString *error) const
{
    return XbelExport::saveStore(store, out, error);
}
