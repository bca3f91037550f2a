#include "DefaultStackFile.h"

#include "StackFile.h"
#include "StackFileLock.h"
#include "URLBlock.h"

#include <QFileInfo>

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
    return m_stackBase + QStringLiteral(".tsy");
}

QString DefaultStackFile::backupPath() const
{
    return m_stackBase + QStringLiteral(".bak");
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

bool DefaultStackFile::Populate(double now, QString *error)
{
    if (!takeLock(error) && m_lock->heldByOther()) {
        m_store.clear();
        m_unreadFile = path();
        return false;
    }
    const bool loaded = StackFile::loadStackFile(m_store, path(), false, now, error);
    m_unreadFile = !loaded && QFileInfo::exists(path()) ? path() : QString();
    return loaded;
}

bool DefaultStackFile::DePopulate(QString *error)
{
    if (m_store.urlDatas().isEmpty() && m_store.IDXList().isEmpty())
        return true;
    if (!takeLock(error))
        return false;
    if (!m_unreadFile.isEmpty() && m_unreadFile == path() && QFileInfo::exists(m_unreadFile)) {
        if (error)
            *error = QStringLiteral("%1: was not read, so it is not replaced").arg(m_unreadFile);
        return false;
    }
    return StackFile::saveStackFileWithBackup(m_store, path(), backupPath(), error);
}

bool DefaultStackFile::shouldSaveUrls(bool autoSave, QString *error)
{
    if (m_store.changeCount() == 0)
        return true;
    if (m_store.urlDatas().isEmpty() && m_store.IDXList().isEmpty())
        return true;
    if (autoSave && !DePopulate(error))
        return false;
    m_store.resetChangeCount();
    return true;
}

void DefaultStackFile::releaseLock()
{
    m_lock.reset();
}

bool DefaultStackFile::holdsLock() const
{
    return m_lock && m_lock->isLocked();
}
