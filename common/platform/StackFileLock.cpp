// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFileLock.h"

#include "FileIO.h"
#include "FilePaths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(StackFileLock)
};

// How often a busy lock is tried again while waiting.
constexpr unsigned long retryMilliseconds = 50;
// How often one attempt opens the lock file anew after it was released under its feet.
constexpr int maxRounds = 100;

// The first word of the lock file names the holder, the second its process.
const char programTag[] = "Tessaly";
const char toolTag[] = "tsy";

// Whether fd is still the file at path: a holder removes the lock file when it
// releases the lock, so a lock taken on a file that is no longer there (or
// was replaced meanwhile) is no lock at all.
bool isFileAt(int fd, const QByteArray &path)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

QByteArray holderRecord(StackFileLock::Holder self)
{
    const char *tag = self == StackFileLock::Holder::Program ? programTag : toolTag;
    return QByteArray(tag) + ' ' + QByteArray::number(QCoreApplication::applicationPid()) + '\n';
}

QString lockPathOf(const QString &stackFile)
{
    return FileIO::writtenPath(stackFile) + QStringLiteral(".lock");
}

}  // namespace

StackFileLock::StackFileLock(const QString &stackFile, Holder self)
    : m_stackFile(stackFile)
    , m_self(self)
{ }

StackFileLock::~StackFileLock()
{
    unlock();
}

bool StackFileLock::tryLock(std::chrono::milliseconds wait)
{
    if (isLocked())
        return true;
    const QDeadlineTimer deadline(wait);
    for (;;) {
        const Attempt result = attempt();
        if (result != Attempt::Busy)
            return result == Attempt::Locked;
        if (m_holder == Holder::Program || deadline.hasExpired())
            return false;
        QThread::msleep(retryMilliseconds);
    }
}

StackFileLock::Attempt StackFileLock::attempt()
{
    m_lockPath = lockPathOf(m_stackFile);
    const QByteArray name = FilePaths::encode(m_lockPath);
    // Each round that does not end finds a lock file that was just released.
    for (int round = 0; round < maxRounds; ++round) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            setFailed(errno);
            return Attempt::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int code = errno;
            if (code == EWOULDBLOCK) {
                setBusy(fd);
                ::close(fd);
                return Attempt::Busy;
            }
            ::close(fd);
            setFailed(code);
            return Attempt::Failed;
        }
        if (!isFileAt(fd, name)) {  // released and removed meanwhile: try the new one
            ::close(fd);
            continue;
        }
        // Naming the holder is a courtesy to those who wait: the lock holds without it.
        const QByteArray record = holderRecord(m_self);
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, record.constData(), size_t(record.size()), 0) < 0)
            qWarning("%s: the holder could not be recorded: %s", name.constData(), std::strerror(errno));
        m_fd = fd;
        m_busy = false;
        m_holder = m_self;
        m_error.clear();
        return Attempt::Locked;
    }
    setFailed(EBUSY);
    return Attempt::Failed;
}

void StackFileLock::setBusy(int fd)
{
    char text[64] = {};
    const ssize_t size = ::pread(fd, text, sizeof text - 1, 0);
    const QByteArray tag = QByteArray(text, size > 0 ? size : 0).split(' ').value(0);
    m_busy = true;
    m_holder = tag == programTag ? Holder::Program : tag == toolTag ? Holder::Tool : Holder::Unknown;
    if (m_holder == Holder::Program)
        m_error = Text::tr("%1 is open in Tessaly: flush it first").arg(m_stackFile);
    else if (m_holder == Holder::Tool)
        m_error = Text::tr("%1 is being changed by another tsy command: try again").arg(m_stackFile);
    else
        m_error
            = Text::tr("%1 is locked by another writer (%2): try again").arg(m_stackFile, m_lockPath);
}

void StackFileLock::setFailed(int code)
{
    m_busy = false;
    m_holder = Holder::Unknown;
    m_error = Text::tr("%1: could not be locked (%2): %3")
                  .arg(m_stackFile, m_lockPath, QString::fromLocal8Bit(std::strerror(code)));
}

void StackFileLock::unlock()
{
    if (!isLocked())
        return;
    const QByteArray name = FilePaths::encode(m_lockPath);
    if (isFileAt(m_fd, name))
        ::unlink(name.constData());
    ::close(m_fd);
    m_fd = -1;
}
