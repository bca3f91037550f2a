// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MoveCommand.h"

#include "DayCount.h"
#include "EntryOperations.h"
#include "LockedStackFileEdit.h"
#include "StreamedMove.h"

#include <QCommandLineParser>

QString MoveCommand::summary() const
{
    return QStringLiteral("move entries into a group by their keys, keeping a backup");
}

QString MoveCommand::help() const
{
    return QStringLiteral("Usage: tsy move FILE.tsy GROUP KEY...\n"
                          "\n"
                          "Moves the entries with these keys into GROUP and saves FILE. GROUP is a\n"
                          "group's position from 0 (as with tsy list --group) when it is a number,\n"
                          "else the name of a group (the first of that name, case counts).\n")
        + lockAndBackupHelp();
}

int MoveCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    std::vector<EntryArguments::Reference> references;
    if (!parse(parser, arguments, 3, true) || !readKeys(parser.positionalArguments().mid(2), references))
        return UsageError;
    std::vector<quint32> keys;
    const QString groupText = parser.positionalArguments().at(1);
    StreamedMove move(references, groupText, [](URLData &) { }, StreamedMove::FirstError::Group);
    return editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            int group = -1;
            if (!findGroup(store, groupText, group, error) || !resolveKeys(store, references, keys, error))
                return false;
            EntryOperations::move(store, keys, group);
            return true;
        },
        [&](const QString &file, QString *error) {
            return move.run(file, LockedStackFileEdit::backupPathOf(file), DayCount::now(), error);
        });
}
