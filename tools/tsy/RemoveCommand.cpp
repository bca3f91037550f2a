// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemoveCommand.h"

#include "EntryOperations.h"
#include "NamedEntryEdit.h"

#include <QCommandLineParser>

QString RemoveCommand::summary() const
{
    return QStringLiteral("remove entries by their keys, keeping a backup");
}

QString RemoveCommand::help() const
{
    return QStringLiteral("Usage: tsy remove FILE.tsy KEY...\n"
                          "\n"
                          "Removes the entries with these keys (the first column of tsy list --keys;\n"
                          "00012 and 12 name the same entry) and saves FILE.\n")
        + lockAndBackupHelp();
}

int RemoveCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    std::vector<EntryArguments::Reference> references;
    if (!parse(parser, arguments, 2, true) || !readKeys(parser.positionalArguments().mid(1), references))
        return UsageError;
    std::vector<quint32> keys;
    NamedEntryEdit removal(references);
    return editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            if (!resolveKeys(store, references, keys, error))
                return false;
            EntryOperations::remove(store, keys);
            return true;
        },
        rewriting(removal));
}
