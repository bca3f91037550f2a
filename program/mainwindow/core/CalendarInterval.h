// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Calendar arithmetic on day counts for the date filters of the entry list.
class CalendarInterval
{
public:
    enum Unit { Days = 0, Weeks = 1, Months = 2 };

    // Unit codes of the filter settings; any other code counts as days.
    static Unit fromCode(int code);

    // dayCount moved by amount units. Adding months keeps the day of the
    // month, clamped to the last day of the target month; the time is kept.
    static double add(Unit unit, int amount, double dayCount);

    // How many unit boundaries lie between from and to (negative when to lies
    // before from): days by date, weeks by Sunday-based week starts, months by
    // month starts. The time of day plays no part.
    static qint64 difference(Unit unit, double from, double to);

    // The index of the interval that holds a day count (day number, week
    // number or month number), so that difference() = index(to) - index(from).
    static qint64 index(Unit unit, double dayCount);
};
