// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayCount.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace DayCount {

QDate epoch()
{
    return QDate::fromJulianDay(2415019);  // 30 December 1899
}

// Day counts from damaged input are kept within the years 100 to 9999, so
// that no conversion overflows.
double bounded(double dayCount)
{
    if (std::isnan(dayCount))
        return 0.0;
    return std::clamp(dayCount, minDayCount, maxDayCount);
}

QDate toDate(double dayCount)
{
    return epoch().addDays(qint64(std::floor(bounded(dayCount))));
}

void toDayAndSecond(double dayCount, qint64 &day, int &second)
{
    dayCount = bounded(dayCount);
    const double days = std::floor(dayCount);
    qint64 seconds = std::llround((dayCount - days) * secondsPerDay);
    day = qint64(days);
    if (seconds >= qint64(secondsPerDay)) {
        ++day;
        seconds = 0;
    }
    second = int(seconds);
}

QDateTime toDateTime(double dayCount)
{
    qint64 day = 0;
    int second = 0;
    toDayAndSecond(dayCount, day, second);
    return QDateTime(epoch().addDays(day), QTime(0, 0).addSecs(second));
}

void toDayAndMs(double dayCount, qint64 &day, int &ms)
{
    constexpr qint64 msPerDay = qint64(secondsPerDay) * 1000;
    dayCount = bounded(dayCount);
    const double days = std::floor(dayCount);
    day = qint64(days);
    qint64 rounded = std::llround((dayCount - days) * double(msPerDay));
    if (rounded >= msPerDay) {
        ++day;
        rounded = 0;
    }
    ms = int(rounded);
}

QDateTime toDateTimeMs(double dayCount)
{
    qint64 day = 0;
    int ms = 0;
    toDayAndMs(dayCount, day, ms);
    return QDateTime(epoch().addDays(day), QTime::fromMSecsSinceStartOfDay(ms));
}

bool hasSteadyLocalOffset(QDate date)
{
    const QDateTime start(date, QTime(0, 0));
    const QDateTime end(date.addDays(1), QTime(0, 0));
    if (!start.isValid() || !end.isValid() || start.time() != QTime(0, 0) || end.time() != QTime(0, 0)
        || start.offsetFromUtc() != end.offsetFromUtc() || start.secsTo(end) != qint64(secondsPerDay))
        return false;
    // Two changes within the day that cancel out leave both ends alike: ask the
    // time zone data as well.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid() || !zone.hasTransitions())
        return true;
    const QTimeZone::OffsetData next = zone.nextTransition(start);
    return !next.atUtc.isValid() || next.atUtc >= end;
}

bool hasSteadyLocalOffset(QDate date, const QTimeZone &localZone)
{
    if (!localZone.isValid())
        return hasSteadyLocalOffset(date);
    if (!localZone.hasTransitions())
        return true;
    // Offsets from UTC are less than a day either way, so the local date lies
    // within the three UTC days around it.
    const QDateTime before(date.addDays(-1), QTime(0, 0), QTimeZone::utc());
    const QDateTime after(date.addDays(2), QTime(0, 0), QTimeZone::utc());
    if (!before.isValid() || !after.isValid())
        return false;
    const QTimeZone::OffsetData next = localZone.nextTransition(before);
    return !next.atUtc.isValid() || next.atUtc >= after;
}

double fromDate(QDate date)
{
    return double(epoch().daysTo(date));
}

double fromDateTime(const QDateTime &dateTime)
{
    const QTime time = dateTime.time();
    return fromDate(dateTime.date()) + time.msecsSinceStartOfDay() / (secondsPerDay * 1000.0);
}

double fromMoment(const QDateTime &moment, const QTimeZone &localZone)
{
    if (!localZone.isValid())
        return fromDateTime(moment.toLocalTime());
    const QDateTime utc = moment.toUTC();
    return fromDateTime(utc.addSecs(localZone.offsetFromUtc(utc)));
}

double now()
{
    return fromDateTime(QDateTime::currentDateTime());
}

}  // namespace DayCount
