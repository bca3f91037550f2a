// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QtEndian>
#include <optional>

// The values of an XBEL file as XbelReader reads them: dates, numbers, and
// the exact texts of Tessaly's metadata.
namespace XbelValues {

// The exact text Tessaly's metadata gives (see XbelNames); none when it is not base64 of UTF-16.
std::optional<QString> exactText(const QString &base64);

// A date of ISO 8601 (without an offset, local time); invalid when it is none.
QDateTime dateOf(QStringView text);

// A whole number between min and max, blanks around it passed over.
std::optional<qint64> numberOf(QStringView text, qint64 min, qint64 max);

// The days from 1 January 1970 to a valid date of the Gregorian calendar
// (year 1 or later), without QDate: a file holds two dates a bookmark.
constexpr qint64 daysSince1970(int year, int month, int day)
{
    // Years that begin in March, so that a leap day ends its year.
    year -= month <= 2;
    const int era = year / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return qint64(era) * 146097 + dayOfEra - 719468;
}

constexpr bool isValidDate(int year, int month, int day)
{
    constexpr int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return day <= monthDays[month - 1] + (month == 2 && leap);
}

inline char16_t unitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}

inline char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return uchar(text[i]);
}

// A two-to-four digit field of text at i; -1 when a character is not a digit.
template <typename View>
int digitsAt(View text, qsizetype i, qsizetype count)
{
    int value = 0;
    for (qsizetype end = i + count; i < end; ++i) {
        const char16_t c = unitAt(text, i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The fields of a date in the form Tessaly writes, YYYY-MM-DDTHH:MM:SS.mmmZ.
struct DateFields
{
    int year, month, day, hour, minute, second, ms;
};

// Of text in that form (its marks in place, a digit wherever it has one;
// the ranges are not checked here); none otherwise.
inline std::optional<DateFields> dateFieldsOf(QStringView text)
{
    const auto at = [text](qsizetype i) { return unitAt(text, i); };
    if (text.size() != 24 || at(4) != u'-' || at(7) != u'-' || at(10) != u'T' || at(13) != u':' || at(16) != u':'
        || at(19) != u'.' || at(23) != u'Z')
        return std::nullopt;
    const DateFields fields {digitsAt(text, 0, 4),  digitsAt(text, 5, 2),  digitsAt(text, 8, 2), digitsAt(text, 11, 2),
                             digitsAt(text, 14, 2), digitsAt(text, 17, 2), digitsAt(text, 20, 3)};
    if (fields.year < 0 || fields.month < 0 || fields.day < 0 || fields.hour < 0 || fields.minute < 0
        || fields.second < 0 || fields.ms < 0)
        return std::nullopt;
    return fields;
}

// The same of bytes, in three words of eight: each byte made the
// difference from the form's own ("0" where a digit goes), then the marks
// must be 0 and the digits below 10, checked for all bytes at once.
inline std::optional<DateFields> dateFieldsOf(QByteArrayView text)
{
    if (text.size() != 24)
        return std::nullopt;
    // The form's bytes, and all bits set for its marks, as little-endian words.
    struct Words
    {
        quint64 form[3] = {}, marks[3] = {};
    };
    static constexpr Words words = [] {
        constexpr char form[] = "0000-00-00T00:00:00.000Z";
        Words w;
        for (int i = 0; i < 24; ++i) {
            w.form[i / 8] |= quint64(uchar(form[i])) << (8 * (i % 8));
            if (form[i] != '0')
                w.marks[i / 8] |= quint64(0xff) << (8 * (i % 8));
        }
        return w;
    }();
    constexpr quint64 high = 0x8080808080808080, belowTen = 0x7676767676767676;
    quint64 digits[3];
    for (int i = 0; i < 3; ++i) {
        const quint64 word = qFromLittleEndian<quint64>(text.data() + 8 * i) ^ words.form[i];
        // A byte beyond ASCII has its high bit; a digit plus 0x76 stays below 0x80.
        if ((word & words.marks[i]) != 0 || ((word | (word + belowTen)) & high) != 0)
            return std::nullopt;
        digits[i] = word;
    }
    const auto d = [&digits](int i) { return int((digits[i / 8] >> (8 * (i % 8))) & 0xff); };
    return DateFields {d(0) * 1000 + d(1) * 100 + d(2) * 10 + d(3), d(5) * 10 + d(6),  d(8) * 10 + d(9),
                       d(11) * 10 + d(12), d(14) * 10 + d(15), d(17) * 10 + d(18), d(20) * 100 + d(21) * 10 + d(22)};
}

// The form Tessaly writes, read without QDateTime's general parser (a file
// holds two dates a bookmark), as milliseconds since 1970; none for any
// other form.
template <typename View>
std::optional<qint64> utcMsOf(View text)
{
    const std::optional<DateFields> f = dateFieldsOf(text);
    if (!f || f->hour > 23 || f->minute > 59 || f->second > 59 || !isValidDate(f->year, f->month, f->day))
        return std::nullopt;
    const qint64 days = daysSince1970(f->year, f->month, f->day);
    return ((days * 24 + f->hour) * 60 + f->minute) * 60000 + f->second * 1000 + f->ms;
}

template <typename View>
std::optional<QDateTime> utcDateOf(View text)
{
    const std::optional<qint64> ms = utcMsOf(text);
    return ms ? std::optional<QDateTime>(QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC)) : std::nullopt;
}

}  // namespace XbelValues
