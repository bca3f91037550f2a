// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LockLink.h"

#include <QFile>
#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace LockLink {

QString target(const QString &path)
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    if (length <= 0)
        return QString();
    return QFile::decodeName(QByteArray(buffer, length));
}

bool processAlive(qint64 pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

qint64 trailingPid(const QString &text, QChar separator)
{
    const qsizetype at = text.lastIndexOf(separator);
    if (at < 0)
        return 0;
    QStringView digits = QStringView(text).mid(at + 1);
    if (digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    bool ok = false;
    const qint64 pid = digits.toLongLong(&ok);
    return ok && pid > 0 && !digits.startsWith(QLatin1Char('+')) ? pid : 0;
}

}  // namespace LockLink
