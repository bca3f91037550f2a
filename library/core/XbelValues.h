// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
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

// The form Tessaly writes, YYYY-MM-DDTHH:MM:SS.mmmZ, read without
// QDateTime's general parser (a file holds two dates a bookmark); none for
// any other form. In bytes, every one is checked: one beyond ASCII is no digit.
template <typename View>
std::optional<QDateTime> utcDateOf(View text)
{
    const auto at = [text](qsizetype i) { return unitAt(text, i); };
    if (text.size() != 24 || at(4) != u'-' || at(7) != u'-' || at(10) != u'T' || at(13) != u':' || at(16) != u':'
        || at(19) != u'.' || at(23) != u'Z')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
    const int ms = digitsAt(text, 20, 3);
    if (ms < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59
        || !isValidDate(year, month, day))
        return std::nullopt;
    const qint64 days = daysSince1970(year, month, day);
    return QDateTime::fromMSecsSinceEpoch(((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + ms,
                                          Qt::UTC);
}

}  // namespace XbelValues
