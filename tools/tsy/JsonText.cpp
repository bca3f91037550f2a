#include "JsonText.h"

#include <QLocale>
#include <array>
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
    qsizetype runStart = 0;
    std::array<char, 8> buffer {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QLatin1StringView escape = escaped(text[i].unicode(), buffer);
        if (escape.isEmpty())
            continue;
        out += text.sliced(runStart, i - runStart);
        out += escape;
        runStart = i + 1;
    }
    out += text.sliced(runStart);
    out += QLatin1Char('"');
}

QString number(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("null");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace JsonText
