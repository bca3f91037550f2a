#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    m_path = folder + u'/' + name + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a lock whose process is gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::AnotherInstance()
{
    if (m_lock->isLocked())
        return false;
    return !m_lock->tryLock(0);
}
