#include "DefaultStackFile.h"

#include "StackFile.h"
#include "URLBlock.h"

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
    return StackFile::loadStackFile(m_store, path(), false, now, error);
}

bool DefaultStackFile::DePopulate(QString *error)
{
    if (m_store.urlDatas().isEmpty())
        return true;
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
