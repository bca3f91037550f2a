// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddCommand.h"

#include "EntryOperations.h"
#include "ToolStore.h"

#include <QCommandLineParser>

QString AddCommand::summary() const
{
    return QStringLiteral("add an entry and print its key, keeping a backup");
}

QString AddCommand::help() const
{
    return QStringLiteral("Usage: tsy add FILE.tsy URL [--title TITLE] [--group GROUP] [--rating R]\n"
                          "\n"
                          "Adds an entry as Tessaly's entry editor does: created now, never visited.\n"
                          "Blanks around TITLE and URL are removed; URL must hold more than blanks.\n"
                          "Prints the new entry's key.\n"
                          "\n"
                          "  --title TITLE  the entry's title (default: none)\n"
                          "  --group GROUP  a group's position from 0 when a number, else the name of\n"
                          "                 a group (the first of that name, case counts);\n"
                          "                 default: the first group. A FILE without groups takes\n"
                          "                 no entry. A FILE that does not exist is made with one\n"
                          "                 group of this name (whatever it looks like).\n"
                          "  --rating R     0 (Not Rated, the default), 1 (Low), 2 (Medium), 3 (High)\n"
                          "                 or 4 (V.High)\n"
                          "No internet-shortcut file is written.\n")
        + lockAndBackupHelp();
}

int AddCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption title(QStringLiteral("title"), QString(), QStringLiteral("TITLE"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("GROUP"));
    const QCommandLineOption rating(QStringLiteral("rating"), QString(), QStringLiteral("R"));
    parser.addOptions({title, group, rating});
    EntryOperations::NewEntry entry;
    if (!parse(parser, arguments, 2)
        || (parser.isSet(rating) && !readRating(parser.value(rating), entry.rating)))
        return UsageError;
    entry.title = parser.value(title).trimmed();
    entry.url = parser.positionalArguments().at(1).trimmed();
    if (entry.url.isEmpty())
        return usageError(QStringLiteral("URL is empty: an entry needs an address"));
    const QString groupText = parser.isSet(group) ? parser.value(group) : QStringLiteral("0");
    // A FILE that does not exist is made with the group --group names.
    const QString file = parser.positionalArguments().at(0);
    if (!parser.isSet(group) && !ToolStore::exists(file))
        return fileError(
            QStringLiteral("%1: no such file (with --group GROUP it is made, holding that group)").arg(file));
    const MissingFile missing = parser.isSet(group) ? MissingFile::BeginsEmpty : MissingFile::IsAnError;

    QString key;
    const int status = addEntry(file, groupText, entry, &key, nullptr, missing);
    if (status == Success)
        m_out << key << '\n';
    return status;
}
