// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HexDate.h"

#include <QByteArray>
#include <array>
#include <cmath>

namespace {

constexpr double maxWritableDay = 65535.0;
constexpr int fractionDigits = 5;

constexpr std::array<quint64, 16> powersOfTen = [] {
    std::array<quint64, 16> powers {};
    quint64 power = 1;
    for (quint64 &entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The decimal text of a day count with 15 significant digits, split into its
// whole part and its first five fraction digits (padded on the right).
struct DecimalParts
{
    unsigned day = 0;
    unsigned fraction = 0;
};

// Digits before the decimal point of a day count below 100000 (one for values below 1).
int wholeDigits(double dat)
{
    static constexpr double thresholds[] = {10.0, 100.0, 1000.0, 10000.0};
    int digits = 1;
    for (const double power : thresholds) {
        // A few units in the last place below a power of ten, the count follows
        // log10 as the text's rounding has always done.
        if (dat < power && dat > power * (1.0 - 1e-12))
            return int(std::floor(std::log10(dat))) + 1;
        if (dat >= power)
            ++digits;
    }
    return digits;
}

// Wide enough for a 53-bit significand times 10^14.
__extension__ using UInt128 = unsigned __int128;

// dat * 10^decimals rounded to the nearest integer, ties to even, computed
// from dat's exact binary value (as the decimal text of that many places is).
quint64 scaledAndRounded(double dat, int decimals)
{
    int exponent = 0;
    const double mantissa = std::frexp(dat, &exponent);
    const auto significand = quint64(std::ldexp(mantissa, 53));  // dat = significand * 2^(exponent - 53)
    const int shift = 53 - exponent;
    const UInt128 product = UInt128(significand) * powersOfTen[size_t(decimals)];
    if (shift <= 0)
        return quint64(product << -shift);
    if (shift >= 127)
        return 0;  // far below one half
    const UInt128 one = 1;
    auto rounded = quint64(product >> shift);
    const UInt128 remainder = product & ((one << shift) - 1);
    const UInt128 half = one << (shift - 1);
    if (remainder > half || (remainder == half && (rounded & 1) != 0))
        ++rounded;
    return rounded;
}

DecimalParts decimalParts(double dat)
{
    const int decimals = std::max(0, 15 - wholeDigits(dat));
    const quint64 droppedDigits = powersOfTen[size_t(decimals - fractionDigits)];
    const quint64 scaled = scaledAndRounded(dat, decimals);
    const quint64 unit = powersOfTen[size_t(decimals)];
    DecimalParts parts;
    parts.day = unsigned(scaled / unit);
    parts.fraction = unsigned((scaled % unit) / droppedDigits);
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

// Digit values of '0'-'9', 'A'-'F' and 'a'-'f'; -1 for every other character.
constexpr std::array<qint8, 128> hexDigitValues = [] {
    std::array<qint8, 128> values {};
    values.fill(-1);
    for (int i = 0; i < 10; ++i)
        values[size_t('0' + i)] = qint8(i);
    for (int i = 0; i < 6; ++i) {
        values[size_t('A' + i)] = qint8(10 + i);
        values[size_t('a' + i)] = qint8(10 + i);
    }
    return values;
}();

int hexDigitValue(char16_t c)
{
    return c < hexDigitValues.size() ? hexDigitValues[c] : -1;
}

// The value of hex digits, or -1 when one is not a hex digit.
qint64 hexValue(QByteArrayView digits)
{
    qint64 value = 0;
    int bad = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(uchar(c));
        bad |= digit;
        value = value * 16 + (digit & 15);
    }
    return bad < 0 ? -1 : value;
}

char16_t codeOf(QChar c)
{
    return c.unicode();
}

char16_t codeOf(char c)
{
    return char16_t(uchar(c));
}

// Reads the whole view as an unsigned hex number; -1 when a character is not a hex digit.
template<typename View> qint64 readHex(View text)
{
    qint64 value = 0;
    for (const auto c : text) {
        const int digit = hexDigitValue(codeOf(c));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

template<typename View> double convertHexDate(View hexDate)
{
    if (hexDate.size() < 8)
        return 0.0;
    const qint64 day = readHex(hexDate.first(4));
    const View fractionText = hexDate.sliced(4, std::min<qsizetype>(5, hexDate.size() - 4));
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

// A date read from a stack file is day + n / 100000 give or take a rounding
// error far below its text's fifteenth significant digit; its parts are then
// those of n, found without decimalParts' exact product. False for any other
// positive day count below 100000.
bool nearFiveDigitFraction(double dat, DecimalParts &parts)
{
    const double scaled = dat * 100000.0;
    const auto nearest = quint64(scaled + 0.5);
    // Within this distance of n after scaling, dat itself lies closer to
    // n / 100000 than half a unit of its fifteenth digit (5e-11 * dat or more
    // after scaling, less the scaling's rounding of at most 1.2e-11 * dat), so
    // its 15-digit text is that of n / 100000.
    if (!(std::abs(scaled - double(nearest)) < 3e-11 * dat))
        return false;
    parts.day = unsigned(nearest / 100000);
    parts.fraction = unsigned(nearest % 100000);
    return true;
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
    const double writable = std::min(dat, maxWritableDay + 0.99999);
    DecimalParts parts;
    if (!nearFiveDigitFraction(writable, parts))
        parts = decimalParts(writable);
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

char *writeHexDate(char *out, double dat)
{
    return out + formatHexDate(out, dat);
}

double ConvertHexDate(QStringView hexDate)
{
    return convertHexDate(hexDate);
}

double ConvertHexDate(QByteArrayView hexDate)
{
    return convertHexDate(hexDate);
}

HexDateForm hexDateForm(QByteArrayView hexDate)
{
    constexpr qsizetype oldFormSize = 8;
    constexpr qsizetype dayDigits = 4;
    constexpr qsizetype fractionDigits = 5;
    if (hexDate.size() == oldFormSize)
        return ConvertHexDate(hexDate) == 0.0 ? HexDateForm::None : HexDateForm::Old;
    if (hexDate.size() < oldFormSize)
        return HexDateForm::None;
    const qint64 day = hexValue(hexDate.first(dayDigits));
    const qint64 fraction = hexValue(hexDate.sliced(dayDigits, fractionDigits));
    if (day < 0 || fraction < 0 || (day == 0 && fraction == 0))
        return HexDateForm::None;
    return fraction <= 99999 ? HexDateForm::Exact : HexDateForm::Old;
}
