// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XmlText.h"

#include <cstring>

namespace XmlText {

namespace {

char16_t *put(char16_t *out, char32_t c)
{
    if (c < 0x10000) {
        *out++ = char16_t(c);
    } else {
        *out++ = QChar::highSurrogate(c);
        *out++ = QChar::lowSurrogate(c);
    }
    return out;
}

}  // namespace

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
    // One of the five entities, told apart by its first letter.
    const auto entity = [&p, end, c](const char *name, qsizetype size, char32_t referenced) {
        if (end - p < size || std::memcmp(p, name, size_t(size)) != 0)
            return false;
        p += size;
        *c = referenced;
        return true;
    };
    switch (p < end ? *p : '\0') {
    case 'l':
        return entity("lt;", 3, '<');
    case 'g':
        return entity("gt;", 3, '>');
    case 'a':
        return entity("amp;", 4, '&') || entity("apos;", 5, '\'');
    case 'q':
        return entity("quot;", 5, '"');
    default:
        return false;
    }
}

void appendChar(QString *text, char32_t c)
{
    char16_t units[2];
    text->append(QStringView(units, put(units, c) - units));
}

namespace {

using XmlByteScan::Run;

// The plain bytes from p on widened to units at o, sixteen at a step: o
// never runs ahead of p, so the sixteen units written fit where sixteen
// bytes are left.
template <Run run>
void widenPlain(const char *&p, const char *end, char16_t *&o)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(o), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(o + 8), _mm_unpackhi_epi8(bytes, zero));
        if (const int ends = XmlByteScan::stopsIn<run>(bytes, '\0')) {
            const int plain = __builtin_ctz(unsigned(ends));
            p += plain;
            o += plain;
            return;
        }
        p += 16;
        o += 16;
    }
#endif
    while (p < end && XmlByteScan::plain<run>[uchar(*p)])
        *o++ = char16_t(uchar(*p++));
}

// Checked bytes as UTF-16 into out, which has room for as many units as
// there are bytes: each line end one LF (TextUnits) or, with each blank,
// one space (ValueUnits, where references are replaced too). Gives the
// units written.
template <Run run>
qsizetype decode(char16_t *out, QByteArrayView bytes)
{
    constexpr bool value = run == Run::ValueUnits;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    char16_t *o = out;
    for (;;) {
        widenPlain<run>(p, end, o);
        if (p == end)
            break;
        const uchar c = uchar(*p);
        if (c >= 0x80) {
            const auto at = [p](int i) { return char32_t(uchar(p[i]) & 0x3F); };
            if (c < 0xE0) {
                o = put(o, char32_t(c & 0x1F) << 6 | at(1));
                p += 2;
            } else if (c < 0xF0) {
                o = put(o, char32_t(c & 0x0F) << 12 | at(1) << 6 | at(2));
                p += 3;
            } else {
                o = put(o, char32_t(c & 0x07) << 18 | at(1) << 12 | at(2) << 6 | at(3));
                p += 4;
            }
        } else if (c == '\r') {
            p += end - p > 1 && p[1] == '\n' ? 2 : 1;
            *o++ = value ? u' ' : u'\n';
        } else if (value && c == '&') {
            char32_t referenced = 0;
            readReference(p, end, &referenced);
            o = put(o, referenced);
        } else {
            *o++ = value && (c == '\t' || c == '\n') ? u' ' : char16_t(c);
            ++p;
        }
    }
    return o - out;
}

}  // namespace

void appendText(QString *text, QByteArrayView bytes, bool ascii, bool cr)
{
    if (bytes.isEmpty())
        return;
    if (ascii && !cr) {
        // ASCII is Latin-1, which Qt widens fastest.
        const QLatin1StringView latin1(bytes.data(), bytes.size());
        if (text->isEmpty())
            *text = latin1;
        else
            text->append(latin1);
        return;
    }
    const qsizetype at = text->size();
    text->resize(at + bytes.size());
    text->resize(at + decode<Run::TextUnits>(reinterpret_cast<char16_t *>(text->data()) + at, bytes));
}

QString attributeValue(QByteArrayView bytes)
{
    QString value(bytes.size(), Qt::Uninitialized);
    value.resize(decode<Run::ValueUnits>(reinterpret_cast<char16_t *>(value.data()), bytes));
    return value;
}

}  // namespace XmlText
