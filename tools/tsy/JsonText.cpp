#include "JsonText.h"

#include <QLocale>
#include <array>
#include <charconv>
#include <cmath>

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
    if (!std::isfinite(value)) {
        out += QLatin1StringView("null");
        return;
    }
    if (value == 0.0) {  // also -0
        out += QLatin1Char('0');
        return;
    }
    // Where the shortest text is plain decimal notation (a fraction at or
    // above 1, or a whole number below 100000), the standard library writes
    // the same digits faster; exponents and the rest are left to Qt.
    std::array<char, 32> text {};
    const char *end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr;
    const QByteArrayView written(text.data(), end);
    const double magnitude = std::abs(value);
    if ((magnitude >= 1.0 && magnitude < 1e15 && written.contains('.'))
        || (magnitude < 100000.0 && value == std::trunc(value))) {
        out += QLatin1StringView(written);
        return;
    }
    out += QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace JsonText
