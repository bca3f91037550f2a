#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {

namespace {

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
    return QFile::encodeName(path);
}

// A name beside base for a file that is about to be made: base, ".tmp-" and
// a random number. Whoever makes the file checks that the name is still free.
QString uniqueName(const QString &base)
{
    return base
        + QStringLiteral(".tmp-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// Creates a new empty file of a unique name beside base; its descriptor, or
// -1 with errno set.
int createUnique(const QString &base, QString *name)
{
    for (int i = 0; i < nameTries; ++i) {
        *name = uniqueName(base);
        const int fd = ::open(nativeName(*name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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

// Writes the content's pieces and puts them on the disk: 0, or the errno of
// the first call that failed.
int writeContent(int fd, const ContentWriter &content)
{
    int code = 0;
    content([&](QByteArrayView piece) {
        if (code == 0)
            code = writeAll(fd, piece);
        return code == 0;
    });
    if (code != 0)
        return code;
    // File systems that cannot sync (EINVAL) have nothing more to write.
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

ContentWriter wholeContent(const QByteArray &bytes)
{
    return [&bytes](const PieceWriter &write) { write(bytes); };
}

// Writes the content to a new file of a unique name beside base, with the
// given permissions (or the default ones when mode is null): 0, or the errno
// of the call that failed, in which case the new file is removed again.
int writeNewFile(const QString &base, const ContentWriter &content, const mode_t *mode, QString *name)
{
    const int fd = createUnique(base, name);
    if (fd < 0)
        return errno;
    int code = mode && ::fchmod(fd, *mode) != 0 ? errno : 0;
    if (code == 0)
        code = writeContent(fd, content);
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0)
        ::unlink(nativeName(*name).constData());
    return code;
}

// Makes a hard link to from under a unique name beside base: 0 or the errno.
int linkUnique(const QString &from, const QString &base, QString *name)
{
    for (int i = 0; i < nameTries; ++i) {
        *name = uniqueName(base);
        if (::link(nativeName(from).constData(), nativeName(*name).constData()) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

// Renames from over to: 0, or the errno, in which case from is removed.
int replaceWith(const QString &from, const QString &to)
{
    if (std::rename(nativeName(from).constData(), nativeName(to).constData()) == 0)
        return 0;
    const int code = errno;
    ::unlink(nativeName(from).constData());
    return code;
}

}  // namespace

bool openRegularFile(const QString &path, QFile *file, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        setError(error, QStringLiteral("%1: could not be opened: no such file").arg(path));
        return false;
    }
    if (!info.isFile()) {
        setError(error, QStringLiteral("%1: could not be opened: not a regular file").arg(path));
        return false;
    }
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("%1: could not be opened: %2").arg(path, file->errorString()));
        return false;
    }
    return true;
}

void setReadError(const QString &path, const QFile &file, QString *error)
{
    setError(error, QStringLiteral("%1: could not be read: %2").arg(path, file.errorString()));
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
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

bool saveFile(const QString &path, const QByteArray &contents, QString *error,
              const BeforeReplace &beforeReplace)
{
    return saveFile(path, wholeContent(contents), error, beforeReplace);
}

bool saveFile(const QString &path, const ContentWriter &content, QString *error,
              const BeforeReplace &beforeReplace)
{
    const QString target = writtenPath(path);
    struct stat existing = {};
    const bool exists = ::stat(nativeName(target).constData(), &existing) == 0;
    const mode_t mode = existing.st_mode & 07777;
    QString temporary;
    int code = exists && S_ISDIR(existing.st_mode) ? EISDIR : 0;
    if (code == 0)
        code = writeNewFile(target, content, exists ? &mode : nullptr, &temporary);
    if (code == 0 && beforeReplace && !beforeReplace(error)) {
        ::unlink(nativeName(temporary).constData());
        return false;
    }
    if (code == 0)
        code = replaceWith(temporary, target);
    if (code != 0) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(path, systemError(code)));
        return false;
    }
    return true;
}

bool backupFile(const QString &path, const QString &backupPath, QString *error)
{
    // A stack file may be a link to the real file: the backup is a copy of
    // what the link points to, never a second link to the file about to change.
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty()) {
        setError(error, QStringLiteral("%1: could not be backed up: no such file").arg(path));
        return false;
    }
    if (QFileInfo(backupPath).canonicalFilePath() == real) {
        setError(error, QStringLiteral("%1: is its own backup %2").arg(path, backupPath));
        return false;
    }
    QString staging;
    int code = linkUnique(real, backupPath, &staging);
    if (code != 0) {
        // No hard links here: the backup is a copy with the file's permissions.
        QByteArray contents;
        struct stat original = {};
        if (!readFile(real, &contents, error))
            return false;
        const bool known = ::stat(nativeName(real).constData(), &original) == 0;
        const mode_t mode = original.st_mode & 07777;
        code = writeNewFile(backupPath, wholeContent(contents), known ? &mode : nullptr, &staging);
    }
    if (code == 0)
        code = replaceWith(staging, backupPath);
    if (code != 0) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(backupPath, systemError(code)));
        return false;
    }
    return true;
}

}  // namespace FileIO
