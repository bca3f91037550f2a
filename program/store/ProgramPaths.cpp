// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramPaths.h"

#include "StackFileLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramPaths {

namespace {

const QString defaultName = QStringLiteral("Pemberly");
const QString stackSuffix = QStringLiteral(".tsy");
const QString backupSuffix = QStringLiteral(".bak");

bool hasStackSuffix(const QString &name)
{
    return name.endsWith(stackSuffix, Qt::CaseInsensitive);
}

// Moves one file; the text naming what went wrong, or nothing.
QString moveFile(const QString &from, const QString &to)
{
    if (QFile::rename(from, to))
        return QString();
    // Another file system: copied, then removed once the copy is whole.
    QFile::remove(to);
    if (QFile::copy(from, to) && QFile::remove(from))
        return QString();
    QFile::remove(to);
    return QCoreApplication::translate("ProgramPaths", "%1 could not be moved to %2").arg(from, to);
}

} // namespace

QString appFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString stackFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tessaly");
    QDir().mkpath(data);
    return data;
}

QString stackBase(const QString &stackFolder, const QStringList &arguments)
{
    const QString name = arguments.isEmpty() ? defaultName : arguments.join(u' ');
    if (!name.contains(u'/') && !hasStackSuffix(name))
        return stackFolder + u'/' + name;
    const QString path = QFileInfo(name).absoluteFilePath();
    return path.endsWith(u'/') ? path + defaultName : path;
}

QString stackFileOf(const QString &stackBase)
{
    return hasStackSuffix(stackBase) ? stackBase : stackBase + stackSuffix;
}

QString backupFileOf(const QString &stackBase)
{
    return (hasStackSuffix(stackBase) ? stackBase.chopped(stackSuffix.size()) : stackBase) + backupSuffix;
}

QString stackFileProblem(const QString &stackBase)
{
    const QFileInfo file(stackFileOf(stackBase));
    if (file.isDir())
        return QCoreApplication::translate("ProgramPaths", "%1: is a folder, not a stack file")
            .arg(file.filePath());
    if (file.exists() && (!file.isFile() || !file.isReadable()))
        return QCoreApplication::translate("ProgramPaths", "%1: cannot be read").arg(file.filePath());
    if (!file.exists() && !file.dir().exists())
        return QCoreApplication::translate("ProgramPaths", "%1: no such folder").arg(file.path());
    return QString();
}

QString moveStackFilesFrom(const QString &oldFolder, const QString &stackFolder, const QString &name)
{
    const QString oldFile = oldFolder + u'/' + name + stackSuffix;
    const QString newFile = stackFolder + u'/' + name + stackSuffix;
    if (QDir(oldFolder) == QDir(stackFolder) || !QFileInfo(oldFile).isFile())
        return QString();
    // Never over the file in use; but the one left behind is named, as a
    // build folder's or a reinstall's end would take it with it.
    if (QFileInfo::exists(newFile))
        return QCoreApplication::translate(
                   "ProgramPaths",
                   "%1 was left where it is: %2 has its own. Merge it in (File, Merge From) "
                   "or move it away if it holds bookmarks you want")
            .arg(oldFile, stackFolder);
    // A tsy command changing the old file is not interrupted: the move waits
    // for the next start.
    StackFileLock lock(oldFile, StackFileLock::Holder::Program);
    if (!lock.tryLock(std::chrono::seconds(3)) && lock.heldByOther())
        return QString();
    const QString oldBackup = oldFolder + u'/' + name + backupSuffix;
    const QString newBackup = stackFolder + u'/' + name + backupSuffix;
    // The backup first: a move cut short leaves the file where it was found.
    QString problem;
    if (QFileInfo(oldBackup).isFile() && !QFileInfo::exists(newBackup))
        problem = moveFile(oldBackup, newBackup);
    if (problem.isEmpty())
        problem = moveFile(oldFile, newFile);
    if (!problem.isEmpty())
        return problem;
    return QCoreApplication::translate(
               "ProgramPaths",
               "Your bookmarks (%1) were moved from %2 to %3, where they are kept from now on")
        .arg(name + stackSuffix, oldFolder, stackFolder);
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
