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

// What a name may start with (ASCII letters and '_'), and go on with (also digits, '.' and '-').
inline constexpr ByteSet nameStartBytes = [] {
    ByteSet set {};
    for (int c = 0; c < 256; ++c)
        set[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    return set;
}();
inline constexpr ByteSet nameBytes = [] {
    ByteSet set = nameStartBytes;
    for (int c = '0'; c <= '9'; ++c)
        set[c] = true;
    set['.'] = set['-'] = true;
    return set;
}();

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

inline bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
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
