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

// Appends the character that the reference body (between "&" and ";")
// stands for; false when it stands for none.
bool appendReference(QString &out, QStringView body)
{
    if (body.startsWith(u'#')) {
        const char32_t code = numericReference(body);
        if (!code)
            return false;
        out += QString::fromUcs4(&code, 1);
        return true;
    }
    for (const NamedReference &reference : namedReferences) {
        if (body == reference.name) {
            out += QChar(reference.character);
            return true;
        }
    }
    return false;
}

}  // namespace

namespace HtmlEntities {

QString decode(QStringView text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (amp >= 0) {
        out += text.sliced(from, amp - from);
        // References are short: only a ";" within reach ends one, and looking
        // no further keeps a long text of bare "&" linear.
        const QStringView reach = text.sliced(amp + 1, std::min<qsizetype>(10, text.size() - amp - 1));
        const qsizetype found = reach.indexOf(u';');
        const qsizetype semicolon = found < 0 ? -1 : amp + 1 + found;
        if (semicolon > amp + 1
            && appendReference(out, text.sliced(amp + 1, semicolon - amp - 1))) {
            from = semicolon + 1;
        } else {
            out += u'&';
            from = amp + 1;
        }
        amp = text.indexOf(u'&', from);
    }
    out += text.sliced(from);
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
