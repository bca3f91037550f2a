// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <array>

// The filter settings of the entry lists: which ratings are shown, the
// visited, last-accessed and added filters, and the title mask.
struct ViewFilter
{
    // Filter modes, as listed by the mode combos.
    enum Mode { Off = 0, MoreThan = 1, LessThan = 2, EqualTo = 3 };

    // Entry i: entries rated i are shown. Ratings run 0 to 4; 5 is never shown.
    std::array<bool, 6> ratingMask {true, true, true, true, true, false};

    int visitedMode = Off;
    int visitedCount = 0;

    int accessedMode = Off;
    int accessedAmount = 0;
    int accessedUnit = 0;  // CalendarInterval::Unit code

    int addedMode = Off;
    int addedAmount = 0;
    int addedUnit = 0;

    QString textMask;  // matched against titles only
};
