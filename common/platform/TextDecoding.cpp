// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TextDecoding.h"

#include <array>
#include <cstring>

namespace TextDecoding {

namespace {

// Windows-1252 at 0x80-0x9F; the five bytes the code page leaves undefined
// map to the C1 control characters of the same value, as Windows does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Eight bytes at a time, then the rest one by one.
bool isAscii(QByteArrayView bytes)
{
    constexpr quint64 highBits = 0x8080808080808080;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    for (; end - p >= 8; p += 8) {
        quint64 word = 0;
        std::memcpy(&word, p, sizeof word);
        if (word & highBits)
            return false;
    }
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    // Qt's check keeps the same rules: no overlong forms, no surrogates, nothing
    // past U+10FFFF, no cut-off sequences; it passes runs of ASCII quickly.
    return bytes.isValidUtf8();
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? windows1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

QString decodeLine(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

QByteArrayView withoutUtf8Bom(QByteArrayView bytes)
{
    if (bytes.startsWith(utf8Bom))
        return bytes.sliced(utf8Bom.size());
    return bytes;
}

}  // namespace TextDecoding
