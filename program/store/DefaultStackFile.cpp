// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DefaultStackFile.h"

#include "DayCount.h"
#include "ProgramPaths.h"
#include "StackFile.h"
#include "StackFileLoad.h"
#include "StackFileLock.h"
#include "StoreMerge.h"
#include "URLBlock.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

bool holdsGroupsOrEntries(const URLBlock &store)
{
    return !store.urlDatas().isEmpty() || !store.IDXList().isEmpty();
}

} // namespace

DefaultStackFile::DefaultStackFile(URLBlock &store, const QString &stackBase)
    : m_store(store)
    , m_stackBase(stackBase)
{ }

DefaultStackFile::~DefaultStackFile() = default;

void DefaultStackFile::setStackBase(const QString &stackBase)
{
    if (stackBase == m_stackBase)
        return;
    releaseLock();
    m_stackBase = stackBase;
}

QString DefaultStackFile::path() const
{
    return ProgramPaths::stackFileOf(m_stackBase);
}

QString DefaultStackFile::backupPath() const
{
    return ProgramPaths::backupFileOf(m_stackBase);
}

bool DefaultStackFile::takeLock(QString *error)
{
    if (!m_lock)
        m_lock = std::make_unique<StackFileLock>(path(), StackFileLock::Holder::Program);
    if (m_lock->tryLock(lockWait))
        return true;
    if (error)
        *error = m_lock->errorString();
    return false;
}

bool DefaultStackFile::Populate(double now, QString *error, const LongWork::Progress &progress)
{
    if (!beginPopulate(error))
        return false;
    StackFileLoad load(path(), now);
    load.setProgress(progress);
    const bool loaded = load.runToEnd();
    if (loaded)
        load.takeStore(m_store);
    else if (error)
        *error = load.errorString();
    endPopulate(loaded);
    return loaded;
}

bool DefaultStackFile::beginPopulate(QString *error)
{
    m_holdsContent = false;
    m_store.clear();
    return takeLock(error) || !m_lock->heldByOther();
}

void DefaultStackFile::endPopulate(bool loaded)
{
    // A file that is not there holds nothing the store could lose; while the
    // lock is held nobody else makes it.
    m_holdsContent = loaded || !QFileInfo::exists(path());
}

bool DefaultStackFile::holdsUnloadedContent() const
{
    if (m_holdsContent || !QFileInfo::exists(path()))
        return false;
    URLBlock file;
    // A file that cannot be read may hold anything.
    return !StackFile::loadStackFile(file, path(), false, DayCount::now()) || holdsGroupsOrEntries(file);
}

bool DefaultStackFile::DePopulate(QString *error, UnloadedContent unloaded)
{
    m_saveNote.clear();
    if (!holdsGroupsOrEntries(m_store))
        return true;
    if (!takeLock(error))
        return false;
    if (!m_holdsContent && unloaded == UnloadedContent::Merge && QFileInfo::exists(path()))
        return mergeIntoFile(error);
    if (!StackFile::saveStackFileWithBackup(m_store, path(), backupPath(), error))
        return false;
    m_holdsContent = true;
    return true;
}

// The file's content first, then the store's groups and entries, as a merge
// of a stack file adds them (into the file's groups of the same names, what
// is there already not again); the file's previous content becomes the backup.
bool DefaultStackFile::mergeIntoFile(QString *error)
{
    URLBlock merged;
    QString readError;
    if (!StackFile::loadStackFile(merged, path(), false, DayCount::now(), &readError)) {
        if (error)
            *error = QCoreApplication::translate("DefaultStackFile", "%1 (so it is not replaced)")
                         .arg(readError);
        return false;
    }
    if (!holdsGroupsOrEntries(merged)) {
        if (!StackFile::saveStackFileWithBackup(m_store, path(), backupPath(), error))
            return false;
        m_holdsContent = true;
        return true;
    }
    StoreMerge(merged).mergeStore(m_store);
    if (!StackFile::saveStackFileWithBackup(merged, path(), backupPath(), error))
        return false;
    m_store.resetChangeCount();
    m_saveNote
        = QCoreApplication::translate("DefaultStackFile",
                                      "The bookmarks were added to %1, which held bookmarks that were not "
                                      "loaded (its previous content is kept in %2)")
              .arg(path(), backupPath());
    return true;
}

bool DefaultStackFile::shouldSaveUrls(bool autoSave, QString *error)
{
    m_saveNote.clear();
    if (m_store.changeCount() == 0)
        return true;
    if (!holdsGroupsOrEntries(m_store))
        return true;
    if (autoSave && !DePopulate(error))
        return false;
    m_store.resetChangeCount();
    return true;
}

void DefaultStackFile::releaseLock()
{
    m_lock.reset();
    m_holdsContent = false;
}

bool DefaultStackFile::holdsLock() const
{
    return m_lock && m_lock->isLocked();
}
