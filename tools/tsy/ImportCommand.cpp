// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImportCommand.h"

#include "ComponentRegistry.h"
#include "DayCount.h"
#include "FilePaths.h"
#include "LockedStackFileEdit.h"
#include "MergeTarget.h"
#include "StackFile.h"
#include "StoreMerge.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QVariant>
#include <memory>

namespace {

const QString progId = QStringLiteral("Pemberly.mergeBrow");

}  // namespace

int ImportCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1, true))
        return UsageError;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 2)
        return usageError(QStringLiteral("expected 2 arguments, got %1").arg(positional.size()));
    QString error;
    const QString target = positional.at(0);
    const QString source = positional.size() > 1 ? positional.at(1) : defaultSource(&error);
    if (source.isEmpty())
        return error.isEmpty() ? usageError(QStringLiteral("expected 2 arguments, got 1")) : fileError(error);
    if (QFileInfo(target).suffix().compare(QLatin1String("bak"), Qt::CaseInsensitive) == 0)
        return usageError(QStringLiteral("%1: a .bak file would be its own backup").arg(target));
    if (!checkSource(source, &error))
        return fileError(error);
    // The library shipped with this tsy is the one used, whatever copy
    // registered itself before (a build folder's); the commands that never
    // load the library leave the registry alone.
    ComponentRegistry::registerShippedLibrary();
    std::unique_ptr<QObject> mb(ComponentRegistry::createObject(progId, nullptr, &error));
    if (!mb)
        return fileError(error);

    MergeCounts added;
    // The store is left to the end of the process, which gives all its memory
    // back at once, as the other whole-store commands do. Reachable through
    // the static, so it is no leak to a leak checker.
    static URLBlock *const kept = new URLBlock;
    URLBlock &store = *kept;
    store.clear();
    const auto mergeAndSave = [&](QString *error) {
        const double now = DayCount::now();
        if (ToolStore::exists(target) && !ToolStore::loadStackFile(store, target, false, now, error))
            return false;
        MergeTarget handlers(store, now, mb.get());
        ComponentRegistry::connectEventsByName(mb.get(), &handlers, QStringLiteral("mb"));
        // A library that knows the property hands the bookmarks to the
        // handlers directly; one that does not raises the events above.
        mb->setProperty("sink", QVariant::fromValue<QObject *>(&handlers));
        // Nothing is saved (and the backup is kept) when the source turned out unreadable.
        if (!merge(mb.get(), source)) {
            *error = mergeError(mb.get(), source);
            return false;
        }
        added = handlers.counts();
        // A merge that adds nothing leaves FILE and, above all, its backup as they were.
        if (ToolStore::addedNothing(added) && ToolStore::exists(target))
            return true;
        store.countChange();
        return ToolStore::saveStackFile(store, target, error);
    };
    if (!LockedStackFileEdit::run(target, mergeAndSave, &error))
        return fileError(error);
    m_out << ToolStore::mergedText(added, target, skippedFiles(mb.get())) << '\n';
    return Success;
}

QString ImportCommand::mergeError(const QObject *, const QString &source) const
{
    return QStringLiteral("%1: cannot read it").arg(source);
}

QString ImportCommand::defaultSource(QString *) const
{
    return QString();
}

QString ImportCommand::sharedHelp()
{
    return QStringLiteral("A group goes into FILE's group of its name (the second of a name into the\n"
                          "second, and so on), and is added after FILE's groups when FILE has none\n"
                          "such. An entry whose address is already in its group is not added again,\n"
                          "so importing the same source twice adds nothing the second time. Dates\n"
                          "that the source gives are kept; an entry without them is created now and\n"
                          "never visited. FILE is begun empty when it does not exist yet. FILE's\n"
                          "previous content is kept as the backup: FILE's name with the extension\n"
                          ".bak; an import that adds nothing writes neither. The groups and entries\n"
                          "added are counted, and so are the entries that were already there.\n"
                          "\n"
                          "FILE is locked while it is changed: a FILE that another tsy command is\n"
                          "changing is waited for a few seconds. A FILE that Tessaly holds loaded is\n"
                          "changed in Tessaly's store instead: its window shows the change at once,\n"
                          "and Tessaly saves it as it saves its own changes.\n");
}
