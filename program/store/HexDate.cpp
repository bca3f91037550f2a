#include "HexDate.h"

#include <QByteArray>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr double maxWritableDay = 65535.0;
constexpr int fractionDigits = 5;

// The decimal text of a day count with 15 significant digits, split into its
// whole part and its first five fraction digits (padded on the right).
struct DecimalParts
{
    unsigned day = 0;
    unsigned fraction = 0;
};

DecimalParts decimalParts(double dat)
{
    const int wholeDigits = dat >= 1.0 ? int(std::floor(std::log10(dat))) + 1 : 1;
    const int decimals = std::max(0, 15 - wholeDigits);
    std::array<char, 64> text {};
    const auto result
        = std::to_chars(text.data(), text.data() + text.size(), dat, std::chars_format::fixed, decimals);
    DecimalParts parts;
    const char *p = text.data();
    for (; p < result.ptr && *p != '.'; ++p)
        parts.day = parts.day * 10 + unsigned(*p - '0');
    if (p < result.ptr)
        ++p;  // the decimal point
    for (int i = 0; i < fractionDigits; ++i) {
        const unsigned digit = p < result.ptr ? unsigned(*p++ - '0') : 0;
        parts.fraction = parts.fraction * 10 + digit;
    }
    return parts;
}

void appendHex(char *out, unsigned value, int width)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    for (int i = width - 1; i >= 0; --i) {
        out[i] = digits[value & 0xF];
        value >>= 4;
    }
}

int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Reads the whole view as an unsigned hex number; -1 when a character is not a hex digit.
qint64 readHex(QStringView text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        const int digit = hexDigitValue(c.unicode());
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Writes the date text into out (at most 9 characters) and returns its length.
int formatHexDate(char *out, double dat)
{
    if (!(dat > 0.0) || !std::isfinite(dat)) {
        out[0] = '0';
        return 1;
    }
    // Four hex digits hold days up to 65535 (the year 2079); later dates are kept
    // at the last moment that can be written rather than turned into a wrong day.
    const DecimalParts parts = decimalParts(std::min(dat, maxWritableDay + 0.99999));
    appendHex(out, std::min(parts.day, unsigned(maxWritableDay)), 4);
    appendHex(out + 4, parts.fraction, fractionDigits);
    return 9;
}

}  // namespace

QString GetHexDate(double dat)
{
    std::array<char, 16> text {};
    const int length = formatHexDate(text.data(), dat);
    return QString::fromLatin1(text.data(), length);
}

void appendHexDate(QByteArray &out, double dat)
{
    std::array<char, 16> text {};
    const int length = formatHexDate(text.data(), dat);
    out.append(text.data(), length);
}

double ConvertHexDate(QStringView hexDate)
{
    if (hexDate.size() < 8)
        return 0.0;
    const qint64 day = readHex(hexDate.first(4));
    const QStringView fractionText = hexDate.sliced(4, std::min<qsizetype>(5, hexDate.size() - 4));
    const qint64 fraction = readHex(fractionText);
    // A damaged text (a character that is not a hex digit) is no date.
    if (day < 0 || fraction < 0)
        return 0.0;
    if (fractionText.size() == 5 && fraction <= 99999)
        return double(day) + double(fraction) / 100000.0;
    // Old form: the value's decimal digits follow the decimal point.
    const QString decimal = QString::number(day) + QLatin1Char('.') + QString::number(fraction);
    return decimal.toDouble();
}
