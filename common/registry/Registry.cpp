// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Registry.h"

#include "FileIO.h"
#include "HiveSession.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Registry {

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Registry)
};

std::chrono::milliseconds lockWait(5000);

// A lock file that names no process is being written by its owner for a few
// microseconds at most; one older than this was left by a writer killed
// while it took the lock.
constexpr qint64 unnamedLockAgeMs = 100;

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

namespace {

bool notARoot(quint32 hive, QString *error)
{
    if (isRoot(hive))
        return false;
    setError(error, Text::tr("not a registry hive: %1").arg(hive, 0, 16));
    return true;
}

// Whether the process that left a lock file is gone: the file names a process
// of this machine that has ended, or names none at all.
bool isAbandoned(const QLockFile &lock, const QString &lockPath)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application)) {
        const bool here = host.isEmpty() || host == QSysInfo::machineHostName();
        return here && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
    }
    const QFileInfo file(lockPath);
    return file.exists() && file.lastModified().msecsTo(QDateTime::currentDateTime()) >= unnamedLockAgeMs;
}

// Why a lock file could not be made, which QLockFile does not tell: the
// system's message for making one there now ("No space left on device",
// "Read-only file system"), or nothing when that works.
QString lockFailureCause(const QString &lockPath)
{
    const QByteArray name = QFile::encodeName(lockPath);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    // A lock file holds its owner's process, program and host: a line or three.
    const QByteArray probe(64, '\n');
    const ssize_t written = ::write(fd, probe.constData(), size_t(probe.size()));
    const int code = written < 0 ? errno : written < probe.size() ? ENOSPC : 0;
    ::close(fd);
    ::unlink(name.constData());
    return code ? QString::fromLocal8Bit(std::strerror(code)) : QString();
}

QString withCause(const QString &text, const QString &cause)
{
    return cause.isEmpty() ? text : text + QStringLiteral(": ") + cause;
}

} // namespace

void setLockWait(std::chrono::milliseconds wait)
{
    lockWait = wait;
}

// Takes the hive's lock file, waiting for another writer up to lockWait. An
// abandoned lock is removed at once (QLockFile alone would wait for it to age
// when it names no process); the removal is refused while a live process
// holds the lock.
std::unique_ptr<QLockFile> lockHive(quint32 hive, QString *error)
{
    if (!QDir().mkpath(hiveFolder())) {
        const int code = ::mkdir(QFile::encodeName(hiveFolder()).constData(), 0777) == 0 ? 0 : errno;
        setError(error,
                 withCause(Text::tr("%1: could not be created").arg(hiveFolder()),
                           code ? QString::fromLocal8Bit(std::strerror(code)) : QString()));
        return nullptr;
    }
    const QString lockPath = hiveFilePath(hive) + QStringLiteral(".lock");
    auto lock = std::make_unique<QLockFile>(lockPath);
    const QDeadlineTimer deadline(lockWait);
    while (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError) {
            setError(
                error,
                withCause(Text::tr("%1: could not be locked (%2)").arg(hiveFilePath(hive), lockPath),
                          lockFailureCause(lockPath)));
            return nullptr;
        }
        if (isAbandoned(*lock, lockPath) && lock->removeStaleLockFile())
            continue;
        if (deadline.hasExpired()) {
            setError(error, Text::tr("%1: is locked by another process").arg(hiveFilePath(hive)));
            return nullptr;
        }
        QThread::msleep(10);
    }
    return lock;
}

namespace {

quint64 writeCount = 0;

// The hive file parsed into contents, its bytes (empty for no file) in text.
bool readHiveBytes(quint32 hive, RegistryHive *contents, QByteArray *text, QString *error)
{
    *contents = RegistryHive(rootName(hive));
    text->clear();
    if (notARoot(hive, error))
        return false;
    const QString path = hiveFilePath(hive);
    if (!QFileInfo::exists(path))
        return true;
    if (!FileIO::readFile(path, text, error))
        return false;
    contents->parse(*text);
    return true;
}

} // namespace

bool readHiveFile(quint32 hive, RegistryHive *contents, QString *error)
{
    QByteArray bytes;
    return readHiveBytes(hive, contents, &bytes, error);
}

bool writeHiveText(quint32 hive, const QByteArray &text, QString *error)
{
    ++writeCount;
    // Writes of the hive that were killed left their temporary files beside
    // it; its writers hold its lock, so they are few.
    const QString path = hiveFilePath(hive);
    FileIO::removeAbandonedTemporaries(FileIO::writtenPath(path));
    return FileIO::saveFile(path, text, error);
}

bool writeHiveFile(quint32 hive, const RegistryHive &contents, QString *error)
{
    return writeHiveText(hive, contents.toText(), error);
}

quint64 hiveFileWrites()
{
    return writeCount;
}

bool readHive(quint32 hive, RegistryHive *contents, QString *error)
{
    if (const HiveSession *session = HiveSession::active(hive)) {
        *contents = session->contents();
        return true;
    }
    return readHiveFile(hive, contents, error);
}

bool changeHive(quint32 hive, const std::function<bool(RegistryHive &)> &change, QString *error)
{
    if (notARoot(hive, error))
        return false;
    HiveSession *session = HiveSession::active(hive);
    if (session && session->holdsLock())
        return session->change(change, error);
    const std::unique_ptr<QLockFile> lock = lockHive(hive, error);
    RegistryHive contents(rootName(hive));
    QByteArray fileText;
    if (!lock || !readHiveBytes(hive, &contents, &fileText, error))
        return false;
    if (!change(contents))
        return true;
    // A value set to what it already was leaves the file as it is.
    const QByteArray text = contents.toText();
    if (text != fileText && !writeHiveText(hive, text, error))
        return false;
    if (session)
        session->setContents(contents);  // a reading session sees what was written
    return true;
}

} // namespace Registry
