#include "FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace FileIO {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

}  // namespace

bool readFile(const QString &path, QByteArray *contents, QString *error)
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("%1: could not be opened: %2").arg(path, file.errorString()));
        return false;
    }
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("%1: could not be read: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool saveFile(const QString &path, const QByteArray &contents, QString *error,
              const BeforeReplace &beforeReplace)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that could leave it half written.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.write(contents) != contents.size() || !file.flush()) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (beforeReplace && !beforeReplace(error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(path, file.errorString()));
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
    const QString staging = backupPath + QStringLiteral(".new");
    const QByteArray from = QFile::encodeName(real);
    const QByteArray stagingName = QFile::encodeName(staging);
    ::unlink(stagingName.constData());
    if (::link(from.constData(), stagingName.constData()) != 0) {
        QFile::remove(staging);
        if (!QFile::copy(real, staging)) {
            setError(error, QStringLiteral("%1: could not be backed up to %2").arg(path, backupPath));
            return false;
        }
    }
    if (std::rename(stagingName.constData(), QFile::encodeName(backupPath).constData()) != 0) {
        setError(error, QStringLiteral("%1: could not be written: %2").arg(backupPath, systemError()));
        ::unlink(stagingName.constData());
        return false;
    }
    return true;
}

}  // namespace FileIO
