#include "DefaultStackFile.h"

#include "StackFile.h"
#include "URLBlock.h"

#include <QFileInfo>

DefaultStackFile::DefaultStackFile(URLBlock &store, const QString &stackBase)
    : m_store(store)
    , m_stackBase(stackBase)
{ }

QString DefaultStackFile::path() const
{
    return m_stackBase + QStringLiteral(".tsy");
}

QString DefaultStackFile::backupPath() const
{
    return m_stackBase + QStringLiteral(".bak");
}

bool DefaultStackFile::Populate(double now, QString *error)
{
    const bool loaded = StackFile::loadStackFile(m_store, path(), false, now, error);
    m_unreadFile = !loaded && QFileInfo::exists(path()) ? path() : QString();
    return loaded;
}

bool DefaultStackFile::DePopulate(QString *error)
{
    if (m_store.urlDatas().isEmpty())
        return true;
    if (!m_unreadFile.isEmpty() && m_unreadFile == path() && QFileInfo::exists(m_unreadFile)) {
        if (error)
            *error = QStringLiteral("%1: was not read, so it is not replaced").arg(m_unreadFile);
        return false;
    }
    return StackFile::saveStackFileWithBackup(m_store, path(), backupPath(), error);
}

bool DefaultStackFile::shouldSaveUrls(bool autoSave)
{
    if (m_store.changeCount() == 0)
        return true;
    if (m_store.urlDatas().isEmpty() || m_store.IDXList().isEmpty())
        return true;
    if (autoSave && !DePopulate())
        return false;
    m_store.resetChangeCount();
    return true;
}
