// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <QtGlobal>
#include <limits>
#include <vector>

// Moments as day counts of one time zone's local time, as
// DayCount::fromMoment converts them, for the many dates of a merge: the
// zone's offset from UTC is asked of its transitions once per UTC day, and a
// day that no transition falls in lends its offset to all its moments.
class UtcDayOffsets
{
public:
    explicit UtcDayOffsets(const QTimeZone &zone);

    // DayCount::fromMoment(moment, zone); the zone must be valid.
    double dayCount(const QDateTime &moment) { return dayCountOfMs(moment.toMSecsSinceEpoch()); }
    // The same of a moment given as milliseconds since 1970 (UTC).
    double dayCountOfMs(qint64 ms);

private:
    struct Day
    {
        qint64 number = std::numeric_limits<qint64>::min();  // days since 1970 (UTC)
        bool steady = false;                                  // no transition within it
        int offsetSeconds = 0;                                // the offset all through, when steady
    };
    // Days by their number modulo this; a day pushed out is asked again.
    static constexpr size_t recentDayCount = 4096;

    const Day &day(qint64 number);

    QTimeZone m_zone;
    std::vector<Day> m_days;
};
