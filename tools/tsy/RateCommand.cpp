// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RateCommand.h"

#include "EntryOperations.h"
#include "NamedEntryEdit.h"

#include <QCommandLineParser>

QString RateCommand::summary() const
{
    return QStringLiteral("give entries a rating by their keys, keeping a backup");
}

QString RateCommand::help() const
{
    return QStringLiteral("Usage: tsy rate FILE.tsy RATING KEY...\n"
                          "\n"
                          "Gives the entries with these keys the rating RATING: 0 (Not Rated), 1 (Low),\n"
                          "2 (Medium), 3 (High) or 4 (V.High), and saves FILE.\n")
        + lockAndBackupHelp();
}

int RateCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    std::vector<EntryArguments::Reference> references;
    int rating = 0;
    if (!parse(parser, arguments, 3, true) || !readRating(parser.positionalArguments().at(1), rating)
        || !readKeys(parser.positionalArguments().mid(2), references))
        return UsageError;
    std::vector<quint32> keys;
    NamedEntryEdit rated(references, [rating](URLData &entry, QString *) {
        entry.Rated = quint8(rating);
        return true;
    });
    return editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            if (!resolveKeys(store, references, keys, error))
                return false;
            EntryOperations::rate(store, keys, rating);
            return true;
        },
        rewriting(rated));
}
