// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ToolStore.h"

#include "FilePaths.h"
#include "HeapReserve.h"
#include "LiveStore.h"
#include "LockedStackFileEdit.h"
#include "StackFile.h"
#include "URLBlock.h"
#include "StoreMerge.h"

#include <sys/stat.h>

namespace ToolStore {

qint64 sizeOf(const QString &path)
{
    struct stat status;
    return ::stat(FilePaths::encode(path).constData(), &status) == 0 ? qint64(status.st_size) : 0;
}

bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error)
{
    if (LiveStore *live = liveStoreOf(path); live && !merge) {
        store.clear();
        live->copyInto(store);
        return true;
    }
    HeapReserve::reserveInHugePages(StackFile::memoryPerFileByte * sizeOf(path));
    return StackFile::loadStackFile(store, path, merge, now, error);
}

bool saveStackFile(URLBlock &store, const QString &path, QString *error)
{
    if (LiveStore *live = liveStoreOf(path)) {
        live->replaceWith(store);
        return true;
    }
    return StackFile::saveStackFileWithBackup(store, path, LockedStackFileEdit::backupPathOf(path), error);
}

LiveStore *liveStoreOf(const QString &path)
{
    LiveStore *live = LiveStore::current();
    return live && live->holds(path) ? live : nullptr;
}

bool exists(const QString &path)
{
    return liveStoreOf(path) || FilePaths::exists(path);
}

bool mergeStackFile(URLBlock &store, const QString &path, double now, MergeCounts *counts, QString *error)
{
    HeapReserve::reserveInHugePages(StackFile::memoryPerFileByte * sizeOf(path));
    return StackFile::mergeStackFile(store, path, now, counts, error);
}

QString counted(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString writtenText(qint64 groups, qint64 entries, const QString &out)
{
    return QStringLiteral("Wrote %1 and %2 to %3")
        .arg(counted(groups, "group", "groups"), counted(entries, "entry", "entries"), out);
}

QString mergedText(const MergeCounts &counts, const QString &target, int skippedFiles)
{
    QString text = QStringLiteral("Added %1 and %2 to %3 (%4 already there")
                       .arg(counted(counts.groupsAdded, "group", "groups"),
                            counted(counts.entriesAdded, "entry", "entries"), target,
                            QString::number(counts.alreadyThere));
    if (counts.entriesUpdated > 0)
        text += QStringLiteral(", %1 of them with newer visits").arg(counts.entriesUpdated);
    if (counts.entriesRefused > 0)
        text += QStringLiteral(", %1 found no room").arg(counts.entriesRefused);
    if (skippedFiles > 0)
        text += QStringLiteral(", %1 %2 skipped: no shortcut could be read from %3")
                    .arg(skippedFiles)
                    .arg(skippedFiles == 1 ? QStringLiteral("file") : QStringLiteral("files"),
                         skippedFiles == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    return text + u')';
}

bool streams()
{
    static const bool loadsWhole = qEnvironmentVariableIsSet("TSY_LOAD_WHOLE_STORE");
    return !loadsWhole && !LiveStore::current();
}

bool addedNothing(const MergeCounts &counts)
{
    return counts.groupsAdded == 0 && counts.entriesAdded == 0 && counts.entriesUpdated == 0;
}

}  // namespace ToolStore
