// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>

class QTimeZone;

// Dates are day counts: days since 30 December 1899 (local time), the fraction
// being the time of day. 0 stands for "no date".
namespace DayCount {

constexpr double secondsPerDay = 86400.0;
// 1 January 100 and 31 December 9999: the range of dates we convert.
constexpr double minDayCount = -657434.0;
constexpr double maxDayCount = 2958465.99999;

// A day count within that range (0 for not-a-number).
double bounded(double dayCount);

QDate epoch();

// The calendar date of a day count (the whole part, rounded down).
QDate toDate(double dayCount);
// Date and time, rounded to the nearest second.
QDateTime toDateTime(double dayCount);
// The same to the nearest millisecond, which holds every date a stack file
// holds (its date text counts in steps of 864 milliseconds).
QDateTime toDateTimeMs(double dayCount);
// toDateTimeMs's date as a day number and its time as a millisecond of that
// day (0 to 86399999).
void toDayAndMs(double dayCount, qint64 &day, int &ms);
// The same as a day number (days since 30 December 1899) and a second of that
// day (0 to 86399), without a time zone: toDateTime's date and time, unless
// that time is skipped by a change of local time.
void toDayAndSecond(double dayCount, qint64 &day, int &second);

// True when local time keeps one offset from UTC all through the date, so that
// no wall-clock time of it is skipped or repeated; false on the days of
// daylight-saving changes (and when unsure).
bool hasSteadyLocalOffset(QDate date);
// The same from the transitions of localZone, the system's time zone, without
// the C library's local time (which looks at the zone file again on every
// call); also false on the days beside a change. Without valid zone data, the
// above.
bool hasSteadyLocalOffset(QDate date, const QTimeZone &localZone);

double fromDate(QDate date);
// The wall-clock date and time of dateTime as it stands (in its own Qt::TimeSpec).
double fromDateTime(const QDateTime &dateTime);
// A moment (a QDateTime of any Qt::TimeSpec) as a day count in localZone's local
// time, from the zone's own data (the C library's local time looks at the
// zone file again on every call); the C library's when localZone is invalid.
double fromMoment(const QDateTime &moment, const QTimeZone &localZone);

// The present as a day count.
double now();

}  // namespace DayCount
