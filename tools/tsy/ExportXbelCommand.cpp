// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportXbelCommand.h"

#include "DayCount.h"
#include "FilePaths.h"
#include "ToolStore.h"
#include "URLBlock.h"
#include "XbelExport.h"

#include <QCommandLineParser>

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

int ExportXbelCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString file = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    if (FilePaths::exists(out) && FilePaths::canonical(file) == FilePaths::canonical(out))
        return usageError(QStringLiteral("%1: the XBEL file would replace the stack file").arg(out));
    // Left to the end of the process, as the other whole-store commands leave it.
    static URLBlock *const store = new URLBlock;
    QString error;
    if (!ToolStore::loadStackFile(*store, file, false, DayCount::now(), &error)
        || !XbelExport::saveStore(*store, out, &error))
        return fileError(error);
    m_out << ToolStore::writtenText(store->IDXList().groupCount(), store->urlDatas().Count(), out) << '\n';
    return Success;
}
