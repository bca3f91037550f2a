// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "XmlByteScan.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstring>

// The characters of XML 1.0 in UTF-8, as FastXmlReader checks and converts
// them: classes of bytes of names, references, and checked text made into a
// QString (the classes of its scanning loops are XmlByteScan's).
namespace XmlText {

using ByteSet = XmlByteScan::ByteSet;

using XmlByteScan::nameBytes;
using XmlByteScan::nameStartBytes;

inline bool isBlank(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

inline bool isValidChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// Names that begin with "xml" in any case are XML's own.
inline bool isReserved(QByteArrayView name)
{
    return name.size() >= 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'l';
}

// Whether the size bytes at a and b are the same: names are short, so in
// words, the last of which overlaps the one before rather than a loop of bytes.
inline bool sameBytesAt(const char *a, const char *b, qsizetype size)
{
    const auto differ = [a, b](qsizetype at, auto word) {
        decltype(word) x, y;
        std::memcpy(&x, a + at, sizeof x);
        std::memcpy(&y, b + at, sizeof y);
        return x != y;
    };
    if (size >= 8) {
        for (qsizetype at = 0; at + 8 < size; at += 8) {
            if (differ(at, quint64()))
                return false;
        }
        return !differ(size - 8, quint64());
    }
    if (size >= 4)
        return !differ(0, quint32()) && !differ(size - 4, quint32());
    for (qsizetype at = 0; at < size; ++at) {
        if (a[at] != b[at])
            return false;
    }
    return true;
}

inline bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && sameBytesAt(a.data(), b.data(), a.size());
}

// A character of UTF-8 at p (a byte >= 0x80): no overlong form, no
// surrogate, none beyond U+10FFFF, neither U+FFFE nor U+FFFF. p moves past it.
bool readUtf8(const char *&p, const char *end);

// The character a reference at p ('&') stands for: one of the five entities
// or a character reference to a character XML allows. p moves past it.
bool readReference(const char *&p, const char *end, char32_t *c);

void appendChar(QString *text, char32_t c);

// Checked UTF-8 (ascii: only ASCII) as XML reads text: each line end (CR LF,
// or a lone CR) one LF when cr.
void appendText(QString *text, QByteArrayView bytes, bool ascii, bool cr);

// An attribute value as written between its quotes: references replaced,
// each blank and each line end one space.
QString attributeValue(QByteArrayView bytes);

}  // namespace XmlText
