// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalendarInterval.h"

#include "DayCount.h"

#include <cmath>

namespace {

qint64 dayNumber(double dayCount)
{
    return qint64(std::floor(DayCount::bounded(dayCount)));
}

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

CalendarInterval::Unit CalendarInterval::fromCode(int code)
{
    switch (code) {
    case Weeks:
        return Weeks;
    case Months:
        return Months;
    default:
        return Days;
    }
}

double CalendarInterval::add(Unit unit, int amount, double dayCount)
{
    switch (unit) {
    case Days:
        return dayCount + amount;
    case Weeks:
        return dayCount + 7.0 * amount;
    case Months: {
        const double day = std::floor(dayCount);
        const QDate moved = DayCount::toDate(day).addMonths(amount);
        return DayCount::fromDate(moved) + (dayCount - day);
    }
    }
    return dayCount;
}

qint64 CalendarInterval::index(Unit unit, double dayCount)
{
    switch (unit) {
    case Days:
        return dayNumber(dayCount);
    case Weeks:
        // Day 1 (31 December 1899) is a Sunday: weeks start on days 1, 8, 15, ...
        return floorDiv(dayNumber(dayCount) - 1, 7);
    case Months: {
        const QDate date = DayCount::toDate(dayCount);
        return qint64(date.year()) * 12 + date.month() - 1;
    }
    }
    return dayNumber(dayCount);
}

qint64 CalendarInterval::difference(Unit unit, double from, double to)
{
    return index(unit, to) - index(unit, from);
}
