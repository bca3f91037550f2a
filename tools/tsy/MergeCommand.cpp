// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MergeCommand.h"

#include "DayCount.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
#include "StoreMerge.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QFileInfo>

QString MergeCommand::summary() const
{
    return QStringLiteral("merge one stack file into another and save it, keeping a backup");
}

QString MergeCommand::help() const
{
    return QStringLiteral("Usage: tsy merge FILE.tsy OTHER.tsy\n"
                          "\n"
                          "Loads FILE, merges OTHER into it and saves FILE. Each group of OTHER goes\n"
                          "into FILE's group of its name (OTHER's second group of a name into FILE's\n"
                          "second, and so on), and is added after FILE's groups when FILE has none\n"
                          "such; entries before OTHER's first group line join FILE's last group. An\n"
                          "entry whose address is already in its group is not added again, so a file\n"
                          "merged twice (or into itself) adds nothing; the entries added keep all\n"
                          "their fields. The groups and entries added are counted, and so are the\n"
                          "entries that were already there. FILE's previous content is kept as the\n"
                          "backup: FILE's name with the extension .bak. Nothing is written when\n"
                          "either file cannot be read, or when the merge adds nothing.\n"
                          "\n"
                          "FILE is locked while it is changed: a FILE that another tsy command is\n"
                          "changing is waited for a few seconds. A FILE that Tessaly holds loaded is\n"
                          "changed in Tessaly's store instead: its window shows the change at once,\n"
                          "and Tessaly saves it as it saves its own changes.\n");
}

int MergeCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString target = parser.positionalArguments().at(0);
    const QString other = parser.positionalArguments().at(1);
    if (QFileInfo(target).suffix().compare(QLatin1String("bak"), Qt::CaseInsensitive) == 0)
        return usageError(QStringLiteral("%1: a .bak file would be its own backup").arg(target));

    MergeCounts counts;
    const auto mergeAndSave = [&](QString *error) {
        URLBlock store;
        const double now = DayCount::now();
        if (!ToolStore::loadStackFile(store, target, false, now, error)
            || !ToolStore::mergeStackFile(store, other, now, &counts, error))
            return false;
        // A merge that adds nothing leaves FILE and, above all, its backup as they were.
        return ToolStore::addedNothing(counts)
            || ToolStore::saveStackFile(store, target, error);
    };
    QString error;
    if (!LockedStackFileEdit::run(target, mergeAndSave, &error))
        return fileError(error);
    m_out << ToolStore::mergedText(counts, target) << '\n';
    return Success;
}
