#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramPaths {

QString appFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString stackFolder(const QString &appFolder)
{
    const QFileInfo folder(appFolder);
    if (folder.isDir() && folder.isWritable())
        return appFolder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tessaly");
    QDir().mkpath(data);
    return data;
}

QString stackBase(const QString &stackFolder, const QStringList &arguments)
{
    const QString name = arguments.isEmpty() ? QStringLiteral("Pemberly") : arguments.join(u' ');
    return stackFolder + u'/' + name;
}

QString bankFile(const QString &appFolder, const QString &name)
{
    const QString fileName = QStringLiteral("/uBank/") + name + QStringLiteral(".bnk");
    const QString beside = appFolder + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = appFolder + QStringLiteral("/../share/tessaly") + fileName;
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : beside;
}

} // namespace ProgramPaths
