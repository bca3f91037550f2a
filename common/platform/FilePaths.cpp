// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FilePaths.h"

#include <cstdlib>
#include <sys/stat.h>

namespace FilePaths {

namespace {

// A byte that is no part of a UTF-8 character (0x80 to 0xFF) stands as this plus the byte.
constexpr char16_t escapeBase = 0xDC00;

bool isEscape(QStringView path, qsizetype i)
{
    const char16_t c = path[i].unicode();
    // The low half of a surrogate pair is a character's, not an escape.
    return c >= escapeBase + 0x80 && c <= escapeBase + 0xFF && (i == 0 || !path[i - 1].isHighSurrogate());
}

// The length of the UTF-8 character that starts at bytes[i]; 0 when none does.
qsizetype characterLength(QByteArrayView bytes, qsizetype i)
{
    const uchar lead = uchar(bytes[i]);
    const qsizetype length = lead < 0x80 ? 1
        : lead >= 0xC2 && lead <= 0xDF   ? 2
        : lead >= 0xE0 && lead <= 0xEF   ? 3
        : lead >= 0xF0 && lead <= 0xF4   ? 4
                                         : 0;
    if (length == 0 || i + length > bytes.size() || !bytes.sliced(i, length).isValidUtf8())
        return 0;
    return length;
}

}  // namespace

QString decode(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = characterLength(bytes, i);
        if (length == 0) {
            path += QChar(char16_t(escapeBase + uchar(bytes[i])));
            ++i;
        } else {
            path += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        }
    }
    return path;
}

QByteArray encode(QStringView path)
{
    QByteArray bytes;
    qsizetype start = 0;  // of the text not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscape(path, i))
            continue;
        bytes += path.sliced(start, i - start).toUtf8();
        bytes += char(path[i].unicode() - escapeBase);
        start = i + 1;
    }
    if (start == 0)
        return path.toUtf8();
    return bytes + path.sliced(start).toUtf8();
}

bool exists(const QString &path)
{
    struct stat status;
    return ::stat(encode(path).constData(), &status) == 0;
}

bool isFolder(const QString &path)
{
    struct stat status;
    return ::stat(encode(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString canonical(const QString &path)
{
    char *resolved = ::realpath(encode(path).constData(), nullptr);
    if (!resolved)
        return QString();
    const QString canonicalPath = decode(QByteArrayView(resolved));
    std::free(resolved);
    return canonicalPath;
}

}  // namespace FilePaths
