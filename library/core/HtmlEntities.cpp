// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HtmlEntities.h"

#include <algorithm>

namespace {

struct NamedReference
{
    QStringView name;
    char16_t character;
};

constexpr NamedReference namedReferences[] = {
    {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00a0'},
};

// The code point of "#39" or "#x27"; 0 when it is not a character.
char32_t numericReference(QStringView body)
{
    const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
    const QStringView digits = body.sliced(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8)
        return 0;
    bool ok = false;
    const uint value = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || value == 0 || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
        return 0;
    return char32_t(value);
}

// Writes at out the character that the reference body (between "&" and ";")
// stands for and returns the end of it; null when it stands for none.
char16_t *writeReference(char16_t *out, QStringView body)
{
    if (body.startsWith(u'#')) {
        const char32_t code = numericReference(body);
        if (!code)
            return nullptr;
        if (QChar::requiresSurrogates(code)) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = char16_t(code);
        }
        return out;
    }
    for (const NamedReference &reference : namedReferences) {
        if (body == reference.name) {
            *out++ = reference.character;
            return out;
        }
    }
    return nullptr;
}

}  // namespace

namespace HtmlEntities {

QString decode(QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    const char16_t *amp = std::find(p, end, u'&');
    if (amp == end)
        return text.toString();
    // A reference is never shorter than the character it stands for.
    QString out(text.size(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(out.data());
    char16_t *to = start;
    while (amp != end) {
        to = std::copy(p, amp, to);
        // References are short: only a ";" within reach ends one, and looking
        // no further keeps a long text of bare "&" linear.
        const char16_t *const reach = amp + 1 + std::min<qsizetype>(10, end - amp - 1);
        const char16_t *const semicolon = std::find(amp + 1, reach, u';');
        char16_t *const written = semicolon != reach && semicolon > amp + 1
            ? writeReference(to, QStringView(amp + 1, semicolon))
            : nullptr;
        if (written) {
            to = written;
            p = semicolon + 1;
        } else {
            *to++ = u'&';
            p = amp + 1;
        }
        amp = std::find(p, end, u'&');
    }
    to = std::copy(p, end, to);
    out.truncate(to - start);
    return out;
}

QString escape(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

}  // namespace HtmlEntities
