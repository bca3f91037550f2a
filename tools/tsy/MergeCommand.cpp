#include "MergeCommand.h"

#include "DayCount.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
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
                          "Loads FILE, merges OTHER into it and saves FILE. OTHER's groups are added\n"
                          "after FILE's groups (also when a group of that name exists) and all its\n"
                          "entries are added; entries before OTHER's first group line join FILE's last\n"
                          "group. FILE's previous content is kept as the backup: FILE's name with the\n"
                          "extension .bak. Nothing is written when either file cannot be read.\n"
                          "\n"
                          "FILE is locked while it is changed: a FILE that another tsy command is\n"
                          "changing is waited for a few seconds, a FILE that Tessaly holds loaded is\n"
                          "left as it is (flush it in Tessaly first).\n");
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

    const auto mergeAndSave = [&](QString *error) {
        URLBlock store;
        const double now = DayCount::now();
        return ToolStore::loadStackFile(store, target, false, now, error)
            && ToolStore::loadStackFile(store, other, true, now, error)
            && StackFile::saveStackFileWithBackup(store, target, LockedStackFileEdit::backupPathOf(target),
                                                  error);
    };
    QString error;
    if (!LockedStackFileEdit::run(target, mergeAndSave, &error))
        return fileError(error);
    return Success;
}
