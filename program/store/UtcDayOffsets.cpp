// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UtcDayOffsets.h"

#include "DayCount.h"

namespace {

constexpr qint64 msPerDay = 86400000;
// Days from 30 December 1899, where day counts begin, to 1 January 1970.
constexpr qint64 daysBefore1970 = 25569;

qint64 floorDivision(qint64 value, qint64 divisor)
{
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

UtcDayOffsets::UtcDayOffsets(const QTimeZone &zone)
    : m_zone(zone)
    , m_days(recentDayCount)
{ }

const UtcDayOffsets::Day &UtcDayOffsets::day(qint64 number)
{
    Day &day = m_days[size_t(number) % recentDayCount];
    if (day.number == number)
        return day;
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(number * msPerDay, QTimeZone::utc());
    day.number = number;
    day.offsetSeconds = m_zone.offsetFromUtc(start);
    const QTimeZone::OffsetData next = m_zone.nextTransition(start);
    day.steady = !m_zone.hasTransitions() || !next.atUtc.isValid()
        || next.atUtc.toMSecsSinceEpoch() >= (number + 1) * msPerDay;
    return day;
}

double UtcDayOffsets::dayCountOfMs(qint64 ms)
{
    const Day &utcDay = day(floorDivision(ms, msPerDay));
    if (!utcDay.steady)
        return DayCount::fromMoment(QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()), m_zone);
    // DayCount::fromDateTime of the local date and time, without making them.
    const qint64 local = ms + utcDay.offsetSeconds * qint64(1000);
    const qint64 localDay = floorDivision(local, msPerDay);
    return double(localDay + daysBefore1970) + double(local - localDay * msPerDay) / double(msPerDay);
}
