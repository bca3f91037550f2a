// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileIO.h"

#include "FilePaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace FileIO {

namespace {

// The context of this file's texts in the translations.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(FileIO)
};

// How many unique names are tried before giving up; each is random, so
// more than one is needed only when names are already taken.
constexpr int nameTries = 16;

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QByteArray nativeName(const QString &path)
{
    return FilePaths::encode(path);
}

// The temporary files beside base are named base, ".tmp-" and eight hex
// digits. Whoever makes the file checks that the name is still free.
constexpr QLatin1StringView temporaryMark(".tmp-");
constexpr qsizetype temporaryDigits = 8;

QString uniqueName(const QString &base)
{
    return base
        + QStringLiteral(".tmp-%1").arg(QRandomGenerator::global()->generate(), temporaryDigits, 16, QLatin1Char('0'));
}

// A writer holds the system's advisory lock on its temporary file until the
// file is renamed or removed, so that one left by a killed writer (whose
// lock ended with it) can be told from one still being written.
void holdWhileWriting(int fd)
{
    ::flock(fd, LOCK_EX | LOCK_NB);
}

// Creates a new empty file of a unique name beside base, locked for the
// writer; its descriptor, or -1 with errno set.
int createUnique(const QString &base, QString *name)
{
    for (int i = 0; i < nameTries; ++i) {
        *name = uniqueName(base);
        const int fd = ::open(nativeName(*name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            holdWhileWriting(fd);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool isTemporaryNameOf(const QByteArray &entry, const QByteArray &baseName)
{
    const qsizetype size = baseName.size() + temporaryMark.size() + temporaryDigits;
    if (entry.size() != size || !entry.startsWith(baseName)
        || !entry.sliced(baseName.size()).startsWith(QByteArrayView(temporaryMark.data(), temporaryMark.size())))
        return false;
    const QByteArray digits = entry.last(temporaryDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes the named temporary file when no writer holds its lock.
void removeWhenAbandoned(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.constData());
    ::close(fd);
}

// Writes all bytes: 0, or the errno of the call that failed (so that a full
// disk says so, not "unknown error").
int writeAll(int fd, QByteArrayView bytes)
{
    const char *data = bytes.data();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= size_t(written);
    }
    return 0;
}

// The code of a content that gave up (FallibleContent), whose error text
// stands as it set it.
constexpr int contentGaveUp = -1;

// Writes the content's pieces and puts them on the disk: 0, the errno of
// the first call that failed, or contentGaveUp.
int writeContent(int fd, const FallibleContent &content, QString *error)
{
    int code = 0;
    const bool made = content(
        [&](QByteArrayView piece) {
            if (code == 0)
                code = writeAll(fd, piece);
            return code == 0;
        },
        error);
    if (code != 0)
        return code;
    if (!made)
        return contentGaveUp;
    // File systems that cannot sync (EINVAL) have nothing more to write.
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

ContentWriter wholeContent(const QByteArray &bytes)
{
    return [&bytes](const PieceWriter &write) { write(bytes); };
}

FallibleContent infallible(const ContentWriter &content)
{
    return [&content](const PieceWriter &write, QString *) {
        content(write);
        return true;
    };
}

// A temporary file being written: its name, and the descriptor that holds
// its lock until the file has been renamed or removed.
struct TemporaryFile
{
    QString name;
    int fd = -1;

    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    ~TemporaryFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Writes the content to a new file of a unique name beside base, with the
// given permissions (or the default ones when mode is null): 0, or the errno
// of the call that failed, in which case the new file is removed again.
int writeNewFile(const QString &base, const FallibleContent &content, const mode_t *mode, TemporaryFile *file,
                 QString *error = nullptr)
{
    file->fd = createUnique(base, &file->name);
    if (file->fd < 0)
        return errno;
    int code = mode && ::fchmod(file->fd, *mode) != 0 ? errno : 0;
    if (code == 0)
        code = writeContent(file->fd, content, error);
    // The descriptor that wrote is closed and its error checked (a network
    // file system may report a failed write only then); a copy of it keeps
    // the lock until the file is renamed.
    if (code == 0) {
        const int written = std::exchange(file->fd, ::fcntl(file->fd, F_DUPFD_CLOEXEC, 0));
        if (file->fd < 0)
            code = errno;
        if (::close(written) != 0 && code == 0)
            code = errno;
    }
    if (code != 0)
        ::unlink(nativeName(file->name).constData());
    return code;
}

// Makes a hard link to from under a unique name beside base, locked for the
// writer: 0 or the errno.
int linkUnique(const QString &from, const QString &base, TemporaryFile *file)
{
    for (int i = 0; i < nameTries; ++i) {
        file->name = uniqueName(base);
        const QByteArray name = nativeName(file->name);
        if (::link(nativeName(from).constData(), name.constData()) == 0) {
            file->fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
            if (file->fd >= 0)
                holdWhileWriting(file->fd);
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// Whether the two names are links to one file.
bool sameFile(const QByteArray &one, const QByteArray &other)
{
    struct stat first = {};
    struct stat second = {};
    return ::lstat(one.constData(), &first) == 0 && ::lstat(other.constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Syncs the folder that holds name, so that a name just given survives a
// power loss as the file's synced content does. Nothing is to be done when
// it fails: the file is in place, and file systems that cannot sync a
// folder say so (EINVAL).
void syncFolderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : name.left(qMax<qsizetype>(slash, 1));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Renames from over to: 0, or the errno, in which case from is removed.
int replaceWith(const QString &from, const QString &to)
{
    const QByteArray source = nativeName(from);
    const QByteArray target = nativeName(to);
    // rename() leaves both names in place when they are links to one file:
    // a backup staged as a link to the file meets a backup that is one
    // already (a save killed between making the backup and replacing the
    // file left it so). The backup holds the content then; the staged name goes.
    if (sameFile(source, target)) {
        ::unlink(source.constData());
        return 0;
    }
    if (std::rename(source.constData(), target.constData()) == 0) {
        syncFolderOf(target);
        return 0;
    }
    const int code = errno;
    ::unlink(source.constData());
    return code;
}

}  // namespace

bool openRegularFile(const QString &path, QFile *file, QString *error)
{
    const QByteArray name = nativeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0) {
        const int code = errno;
        setError(error,
                 Text::tr("%1: could not be opened: %2")
                     .arg(path, code == ENOENT ? Text::tr("no such file") : systemError(code)));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        setError(error, Text::tr("%1: could not be opened: not a regular file").arg(path));
        return false;
    }
    // Opened by its bytes, so that a name that is not UTF-8 is found too.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int code = errno;
        if (fd >= 0)
            ::close(fd);
        setError(error, Text::tr("%1: could not be opened: %2").arg(path, systemError(code)));
        return false;
    }
    return true;
}

void setReadError(const QString &path, const QFile &file, QString *error)
{
    setError(error, Text::tr("%1: could not be read: %2").arg(path, file.errorString()));
}

bool readFile(const QString &path, QByteArray *contents, QString *error)
{
    QFile file;
    if (!openRegularFile(path, &file, error))
        return false;
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setReadError(path, file, error);
        return false;
    }
    return true;
}

QString writtenPath(const QString &path)
{
    const QByteArray name = nativeName(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    const QString canonical = FilePaths::canonical(path);
    if (!canonical.isEmpty())
        return canonical;
    // A link to a file yet to be made: its target, beside the link when relative.
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(name.constData(), target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size())
        return path;
    target.truncate(length);
    if (target.startsWith('/'))
        return FilePaths::decode(target);
    const qsizetype slash = path.lastIndexOf(u'/');
    return (slash < 0 ? QString() : path.left(slash + 1)) + FilePaths::decode(target);
}

bool saveFile(const QString &path, const QByteArray &contents, QString *error,
              const BeforeReplace &beforeReplace)
{
    return saveFile(path, wholeContent(contents), error, beforeReplace);
}

bool saveFile(const QString &path, const ContentWriter &content, QString *error,
              const BeforeReplace &beforeReplace)
{
    return saveFallibleFile(path, infallible(content), error, beforeReplace);
}

bool saveFallibleFile(const QString &path, const FallibleContent &content, QString *error,
                      const BeforeReplace &beforeReplace)
{
    const QString target = writtenPath(path);
    struct stat existing = {};
    const bool exists = ::stat(nativeName(target).constData(), &existing) == 0;
    const mode_t mode = existing.st_mode & 07777;
    TemporaryFile temporary;
    int code = exists && S_ISDIR(existing.st_mode) ? EISDIR : 0;
    if (code == 0)
        code = writeNewFile(target, content, exists ? &mode : nullptr, &temporary, error);
    if (code == contentGaveUp)
        return false;
    if (code == 0 && beforeReplace && !beforeReplace(error)) {
        ::unlink(nativeName(temporary.name).constData());
        return false;
    }
    if (code == 0)
        code = replaceWith(temporary.name, target);
    if (code != 0) {
        setError(error, Text::tr("%1: could not be written: %2").arg(path, systemError(code)));
        return false;
    }
    return true;
}

bool backupFile(const QString &path, const QString &backupPath, QString *error)
{
    // A stack file may be a link to the real file: the backup is a copy of
    // what the link points to, never a second link to the file about to change.
    const QString real = FilePaths::canonical(path);
    if (real.isEmpty()) {
        setError(error, Text::tr("%1: could not be backed up: no such file").arg(path));
        return false;
    }
    if (FilePaths::canonical(backupPath) == real) {
        setError(error, Text::tr("%1: is its own backup %2").arg(path, backupPath));
        return false;
    }
    TemporaryFile staging;
    int code = linkUnique(real, backupPath, &staging);
    if (code != 0) {
        // No hard links here: the backup is a copy with the file's permissions.
        QByteArray contents;
        struct stat original = {};
        if (!readFile(real, &contents, error))
            return false;
        const bool known = ::stat(nativeName(real).constData(), &original) == 0;
        const mode_t mode = original.st_mode & 07777;
        code = writeNewFile(backupPath, infallible(wholeContent(contents)), known ? &mode : nullptr, &staging);
    }
    if (code == 0)
        code = replaceWith(staging.name, backupPath);
    if (code != 0) {
        setError(error, Text::tr("%1: could not be written: %2").arg(backupPath, systemError(code)));
        return false;
    }
    return true;
}

void removeAbandonedTemporaries(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QByteArray folder = slash < 0 ? QByteArray(".")
        : slash == 0                    ? QByteArray("/")
                                        : nativeName(path.left(slash));
    const QByteArray baseName = nativeName(path.mid(slash + 1));
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (isTemporaryNameOf(name, baseName))
            removeWhenAbandoned(folder + '/' + name);
    }
    ::closedir(dir);
}

}  // namespace FileIO
