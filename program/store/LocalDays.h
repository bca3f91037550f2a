// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimeZone>
#include <QtGlobal>
#include <array>
#include <limits>
#include <optional>
#include <unordered_map>
#include <vector>

// The days of local time that a store's dates fall on, each made once and
// kept, so that the many dates of one day need no time zone conversion of
// their own (the C library's local time looks at the zone file again on
// every call). Which days keep one offset from UTC all through is asked of
// the time zone's transitions once per day; one object serves the time zone
// that was the system's when it was made.
class LocalDays
{
public:
    // What the dates of one day share.
    struct Day
    {
        qint64 number = noDay;         // days since 30 December 1899
        bool steady = false;           // one offset from UTC all day (DayCount::hasSteadyLocalOffset)
        std::array<char, 10> date {};  // YYYY-MM-DD
    };

    LocalDays();
    ~LocalDays();
    LocalDays(const LocalDays &) = delete;
    LocalDays &operator=(const LocalDays &) = delete;

    const Day &day(qint64 number) { return node(number).day; }

    // The moment of a day count in milliseconds since 1970 (UTC), as
    // DayCount::toDateTimeMs(dayCount).toMSecsSinceEpoch() gives it; none
    // where that date and time is not valid (skipped by a change of local
    // time). Dates are taken in the order they are written: a time shown
    // twice (when the clocks go back) is the moment that converting each
    // date in turn gives.
    std::optional<qint64> msSinceEpoch(double dayCount);

private:
    struct Node
    {
        Day day;
        bool startKnown = false;
        qint64 start = 0;  // when the day's midnight is, in ms since 1970
        // Whether its moments are start and the time of day (checked once).
        std::optional<bool> startsSteadily;
    };
    static constexpr qint64 noDay = std::numeric_limits<qint64>::min();
    // Recent days by their number modulo this: nearly all dates of a store
    // fall within the years it covers, and a lookup there is one comparison.
    static constexpr size_t recentDayCount = 4096;

    Node &node(qint64 number);
    Node makeNode(qint64 number) const;
    qint64 startOf(Node &node);
    bool startsSteadily(Node &node);
    std::optional<qint64> converted(double dayCount);

    QTimeZone m_localZone;
    std::vector<Node *> m_recentDays;
    std::unordered_map<qint64, Node> m_days;  // every day made, by number; nodes stay where they are
    std::optional<double> m_lastSteady;        // the last date, when the table gave it
};
