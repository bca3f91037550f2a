#include "Registry.h"

#include "FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace Registry {

namespace {

constexpr int lockTimeoutMs = 5000;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool isRoot(quint32 hive)
{
    return hive == HKEY_CURRENT_USER || hive == HKEY_LOCAL_MACHINE;
}

QString rootName(quint32 hive)
{
    switch (hive) {
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
        return QString();
    }
}

QString hiveFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tessaly");
}

QString hiveFilePath(quint32 hive)
{
    return hiveFolder() + u'/' + rootName(hive) + QStringLiteral(".reg");
}

bool readHive(quint32 hive, RegistryHive *contents, QString *error)
{
    *contents = RegistryHive(rootName(hive));
    if (!isRoot(hive)) {
        setError(error, QStringLiteral("not a registry hive: %1").arg(hive, 0, 16));
        return false;
    }
    const QString path = hiveFilePath(hive);
    if (!QFileInfo::exists(path))
        return true;
    QByteArray bytes;
    if (!FileIO::readFile(path, &bytes, error))
        return false;
    contents->parse(bytes);
    return true;
}

bool changeHive(quint32 hive, const std::function<bool(RegistryHive &)> &change, QString *error)
{
    if (!isRoot(hive)) {
        setError(error, QStringLiteral("not a registry hive: %1").arg(hive, 0, 16));
        return false;
    }
    const QString path = hiveFilePath(hive);
    if (!QDir().mkpath(hiveFolder())) {
        setError(error, QStringLiteral("%1: could not be created").arg(hiveFolder()));
        return false;
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(lockTimeoutMs)) {
        setError(error, QStringLiteral("%1: is locked by another process").arg(path));
        return false;
    }
    RegistryHive contents(rootName(hive));
    if (!readHive(hive, &contents, error))
        return false;
    if (!change(contents))
        return true;
    return FileIO::saveFile(path, contents.toText(), error);
}

} // namespace Registry
