// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "JsonText.h"

#include <QLocale>
#include <QStringEncoder>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace JsonText {

namespace {

// The escape of a character JSON does not allow as it is; empty for the others.
QLatin1StringView escaped(char16_t c, std::array<char, 8> &buffer)
{
    switch (c) {
    case u'"':
        return QLatin1StringView("\\\"");
    case u'\\':
        return QLatin1StringView("\\\\");
    case u'\n':
        return QLatin1StringView("\\n");
    case u'\r':
        return QLatin1StringView("\\r");
    case u'\t':
        return QLatin1StringView("\\t");
    default:
        break;
    }
    if (c >= 0x20)
        return {};
    static constexpr char digits[] = "0123456789abcdef";
    buffer = {'\\', 'u', '0', '0', digits[c >> 4], digits[c & 0xF]};
    return QLatin1StringView(buffer.data(), 6);
}

// The shortest text of value where it is plain decimal notation (a fraction
// at or above 1, or a whole number below 100000), which the standard library
// writes faster; "null" for the infinities and NaN; empty for the rest, which
// are left to Qt.
QByteArrayView plainNumber(double value, std::array<char, 32> &text)
{
    if (!std::isfinite(value))
        return "null";
    if (value == 0.0)  // also -0
        return "0";
    const char *end
        = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr;
    const QByteArrayView written(text.data(), end);
    const double magnitude = std::abs(value);
    if ((magnitude >= 1.0 && magnitude < 1e15 && written.contains('.'))
        || (magnitude < 100000.0 && value == std::trunc(value)))
        return written;
    return {};
}

}  // namespace

QString string(const QString &text)
{
    QString out;
    appendString(out, text);
    return out;
}

void appendString(QString &out, QStringView text)
{
    out.reserve(out.size() + text.size() + 2);
    out += QLatin1Char('"');
    // Runs of characters that need no escape are copied whole.
    const QChar *run = text.begin();
    std::array<char, 8> buffer {};
    for (const QChar *p = text.begin(); p != text.end(); ++p) {
        const char16_t c = p->unicode();
        if (c >= 0x20 && c != u'"' && c != u'\\')
            continue;
        out.append(run, p - run);
        out += escaped(c, buffer);
        run = p + 1;
    }
    out.append(run, text.end() - run);
    out += QLatin1Char('"');
}

QString number(double value)
{
    QString out;
    appendNumber(out, value);
    return out;
}

void appendNumber(QString &out, double value)
{
    std::array<char, 32> text {};
    const QByteArrayView plain = plainNumber(value, text);
    if (!plain.isEmpty())
        out += QLatin1StringView(plain);
    else
        out += QString::number(value, 'g', QLocale::FloatingPointShortest);
}

char *writeNumber(char *out, double value)
{
    std::array<char, 32> text {};
    QByteArrayView plain = plainNumber(value, text);
    QByteArray general;
    if (plain.isEmpty()) {
        general = QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1();
        plain = general;
    }
    std::memcpy(out, plain.data(), size_t(plain.size()));
    return out + plain.size();
}

char *writeString(char *out, QStringView text, QStringEncoder &encoder)
{
    *out++ = '"';
    // Runs of characters that need no escape are encoded whole.
    const QChar *run = text.begin();
    std::array<char, 8> buffer {};
    for (const QChar *c = text.begin(); c != text.end(); ++c) {
        const char16_t unit = c->unicode();
        if (unit >= 0x20 && unit != u'"' && unit != u'\\')
            continue;
        out = encoder.appendToBuffer(out, QStringView(run, c));
        const QLatin1StringView escape = escaped(unit, buffer);
        std::memcpy(out, escape.data(), size_t(escape.size()));
        out += escape.size();
        run = c + 1;
    }
    out = encoder.appendToBuffer(out, QStringView(run, text.end()));
    *out++ = '"';
    return out;
}

}  // namespace JsonText
