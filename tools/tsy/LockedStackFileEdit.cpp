// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LockedStackFileEdit.h"

#include "StackFileLock.h"
#include "ToolStore.h"

#include <QFileInfo>

bool LockedStackFileEdit::run(const QString &stackFile, const Edit &edit, QString *error)
{
    // The program that holds the live store holds the lock.
    if (ToolStore::liveStoreOf(stackFile))
        return edit(error);
    StackFileLock lock(stackFile, StackFileLock::Holder::Tool);
    if (!lock.tryLock(toolWait)) {
        *error = lock.errorString();
        return false;
    }
    return edit(error);
}

QString LockedStackFileEdit::backupPathOf(const QString &stackFile)
{
    const QString suffix = QFileInfo(stackFile).suffix();
    const QString base = suffix.isEmpty() ? stackFile : stackFile.chopped(suffix.size() + 1);
    return base + QStringLiteral(".bak");
}
