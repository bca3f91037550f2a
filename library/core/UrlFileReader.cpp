// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UrlFileReader.h"

#include "FilePaths.h"
#include "TextDecoding.h"

#include <QStringDecoder>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList linesOf(QByteArrayView bytes)
{
    const auto utf16 = [&](QStringDecoder::Encoding encoding) {
        QStringDecoder decoder(encoding);
        return QString(decoder(bytes.sliced(2)));
    };
    QString text;
    if (bytes.startsWith("\xff\xfe"))
        text = utf16(QStringDecoder::Utf16LE);
    else if (bytes.startsWith("\xfe\xff"))
        text = utf16(QStringDecoder::Utf16BE);
    if (!text.isNull())
        return text.split(u'\n');
    QStringList lines;
    QByteArrayView rest = TextDecoding::withoutUtf8Bom(bytes);
    while (!rest.isEmpty()) {
        const qsizetype newline = rest.indexOf('\n');
        lines << TextDecoding::decodeLine(newline < 0 ? rest : rest.first(newline));
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
    }
    return lines;
}

}  // namespace

namespace UrlFileReader {

QString urlOfShortcut(QByteArrayView bytes)
{
    bool inShortcut = false;
    for (const QString &line : linesOf(bytes)) {
        const QStringView text = QStringView(line).trimmed();
        if (text.startsWith(u'[')) {
            const qsizetype close = text.indexOf(u']');
            const QStringView section = text.sliced(1, (close < 0 ? text.size() : close) - 1).trimmed();
            inShortcut = section.compare(u"InternetShortcut", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (inShortcut && equals > 0
            && text.first(equals).trimmed().compare(u"URL", Qt::CaseInsensitive) == 0)
            return text.sliced(equals + 1).trimmed().toString();
    }
    return QString();
}

QString readUrlFile(const QString &fileName)
{
    return readUrlFileAt(FilePaths::encode(fileName));
}

QString readUrlFileAt(const QByteArray &path)
{
    return readShortcutAt(path).value_or(QString());
}

std::optional<QString> readShortcutAt(const QByteArray &path)
{
    // Opened without blocking, so that a FIFO named like a shortcut is passed over.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxShortcutBytes) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(status.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    bool failed = false;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        failed = n < 0;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    bytes.truncate(got);
    return urlOfShortcut(bytes);
}

}  // namespace UrlFileReader
