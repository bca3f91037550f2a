// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XmlText.h"

#include <cstring>

namespace XmlText {

bool readUtf8(const char *&p, const char *end)
{
    const auto *s = reinterpret_cast<const uchar *>(p);
    const qsizetype left = end - p;
    const auto follows = [s](int i) { return (s[i] & 0xC0) == 0x80; };
    const uchar lead = s[0];
    if (lead < 0xC2)
        return false;
    if (lead < 0xE0) {
        if (left < 2 || !follows(1))
            return false;
        p += 2;
    } else if (lead < 0xF0) {
        if (left < 3 || !follows(1) || !follows(2) || (lead == 0xE0 && s[1] < 0xA0) || (lead == 0xED && s[1] > 0x9F)
            || (lead == 0xEF && s[1] == 0xBF && s[2] >= 0xBE))
            return false;
        p += 3;
    } else if (lead < 0xF5) {
        if (left < 4 || !follows(1) || !follows(2) || !follows(3) || (lead == 0xF0 && s[1] < 0x90)
            || (lead == 0xF4 && s[1] > 0x8F))
            return false;
        p += 4;
    } else {
        return false;
    }
    return true;
}

bool readReference(const char *&p, const char *end, char32_t *c)
{
    ++p;
    if (p < end && *p == '#') {
        ++p;
        const bool hex = p < end && *p == 'x';
        if (hex)
            ++p;
        char32_t value = 0;
        int digits = 0;
        for (; p < end && *p != ';'; ++p) {
            const char d = *p;
            int digit = -1;
            if (d >= '0' && d <= '9')
                digit = d - '0';
            else if (hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f')
                digit = (d | 0x20) - 'a' + 10;
            if (digit < 0 || ++digits > 8)
                return false;
            value = value * (hex ? 16 : 10) + char32_t(digit);
        }
        if (p == end || digits == 0 || !isValidChar(value))
            return false;
        ++p;
        *c = value;
        return true;
    }
    static const struct
    {
        QByteArrayView name;
        char32_t c;
    } entities[] = {{"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
    for (const auto &entity : entities) {
        if (end - p >= entity.name.size() && std::memcmp(p, entity.name.data(), entity.name.size()) == 0) {
            p += entity.name.size();
            *c = entity.c;
            return true;
        }
    }
    return false;
}

void appendChar(QString *text, char32_t c)
{
    if (c < 0x10000) {
        text->append(QChar(char16_t(c)));
    } else {
        text->append(QChar::highSurrogate(c));
        text->append(QChar::lowSurrogate(c));
    }
}

void appendText(QString *text, QByteArrayView bytes, bool ascii, bool cr)
{
    if (bytes.isEmpty())
        return;
    QString piece;
    if (ascii) {
        // Widened in place, without the decoder's checks (the bytes are checked).
        piece = QString(bytes.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(piece.data());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            out[i] = uchar(bytes[i]);
    } else {
        piece = QString::fromUtf8(bytes);
    }
    if (cr) {
        piece.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        piece.replace(u'\r', u'\n');
    }
    if (text->isEmpty())
        *text = std::move(piece);
    else
        text->append(piece);
}

QString attributeValue(QByteArrayView bytes)
{
    QString value;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    const char *piece = p;
    while (p < end) {
        const char c = *p;
        if (c != '&' && c != '\t' && c != '\n' && c != '\r') {
            ++p;
            continue;
        }
        value.append(QString::fromUtf8(piece, p - piece));
        if (c == '&') {
            char32_t referenced = 0;
            readReference(p, end, &referenced);
            appendChar(&value, referenced);
        } else {
            p += c == '\r' && end - p > 1 && p[1] == '\n' ? 2 : 1;
            value.append(u' ');
        }
        piece = p;
    }
    value.append(QString::fromUtf8(piece, p - piece));
    return value;
}

}  // namespace XmlText
