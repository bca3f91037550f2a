// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EditCommand.h"

#include "EntryArguments.h"
#include "DayCount.h"
#include "EntryOperations.h"
#include "LockedStackFileEdit.h"
#include "NamedEntryEdit.h"
#include "StreamedMove.h"
#include "URLData.h"

#include <QCommandLineParser>

QString EditCommand::summary() const
{
    return QStringLiteral("change an entry's title, address, rating or group, keeping a backup");
}

QString EditCommand::help() const
{
    return QStringLiteral("Usage: tsy edit FILE.tsy KEY [--title TITLE] [--url URL] [--rating R]\n"
                          "                [--group GROUP]\n"
                          "\n"
                          "Changes the entry with the key KEY (00012 and 12 name the same entry; an\n"
                          "address, a KEY that holds ://, names every entry with that address) as\n"
                          "Tessaly's entry editor does; what is not given stays as it is, and the\n"
                          "dates and the visit count never change. Blanks around TITLE and URL are\n"
                          "removed. At least one option is needed.\n"
                          "\n"
                          "  --title TITLE  the new title\n"
                          "  --url URL      the new address, which must hold more than blanks\n"
                          "  --rating R     0 (Not Rated), 1 (Low), 2 (Medium), 3 (High) or 4 (V.High)\n"
                          "  --group GROUP  a group's position from 0 when a number, else the name of\n"
                          "                 a group (the first of that name, case counts)\n")
        + lockAndBackupHelp();
}

int EditCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption title(QStringLiteral("title"), QString(), QStringLiteral("TITLE"));
    const QCommandLineOption url(QStringLiteral("url"), QString(), QStringLiteral("URL"));
    const QCommandLineOption rating(QStringLiteral("rating"), QString(), QStringLiteral("R"));
    const QCommandLineOption group(QStringLiteral("group"), QString(), QStringLiteral("GROUP"));
    parser.addOptions({title, url, rating, group});
    if (!parse(parser, arguments, 2))
        return UsageError;
    std::vector<EntryArguments::Reference> references;
    if (!readKeys({parser.positionalArguments().at(1)}, references))
        return UsageError;
    if (!parser.isSet(title) && !parser.isSet(url) && !parser.isSet(rating) && !parser.isSet(group))
        return usageError(QStringLiteral("nothing to change: give --title, --url, --rating or --group"));

    EntryOperations::EntryChange change;
    if (parser.isSet(title))
        change.title = parser.value(title).trimmed();
    if (parser.isSet(url)) {
        change.url = parser.value(url).trimmed();
        if (change.url->isEmpty())
            return usageError(QStringLiteral("--url is empty: an entry needs an address"));
    }
    int ratingValue = 0;
    if (parser.isSet(rating)) {
        if (!readRating(parser.value(rating), ratingValue))
            return UsageError;
        change.rating = ratingValue;
    }
    // Streamed: the fields change in place, or with the group as a move.
    const auto changeFields = [&change](URLData &entry) { EntryOperations::edit(entry, change); };
    NamedEntryEdit inPlace(references, [&](URLData &entry, QString *) {
        changeFields(entry);
        return true;
    });
    StreamedMove move(references, parser.value(group), changeFields, StreamedMove::FirstError::References);
    const StreamedChange streamed = [&](const QString &file, QString *error) {
        if (parser.isSet(group))
            return move.run(file, LockedStackFileEdit::backupPathOf(file), DayCount::now(), error);
        return rewriting(inPlace)(file, error);
    };
    return editStore(parser.positionalArguments().at(0), [&](URLBlock &store, QString *error) {
        std::vector<quint32> keys;
        if (!resolveKeys(store, references, keys, error))
            return false;
        int groupValue = -1;
        if (parser.isSet(group)) {
            if (!findGroup(store, parser.value(group), groupValue, error))
                return false;
            change.group = groupValue;
        }
        for (const quint32 key : keys) {
            if (!EntryOperations::edit(store, key, change)) {
                *error = QStringLiteral("the entry %1 could not be changed").arg(URLData::keyText(key));
                return false;
            }
        }
        return true;
    }, streamed);
}
