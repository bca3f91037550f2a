// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CalendarInterval.h"
#include "ListScope.h"
#include "ViewFilter.h"
#include "WildcardPattern.h"

#include <optional>
#include <vector>

class GroupTable;
class URLData;
class URLDatas;

// Decides which entries the entry list shows for a group choice and the
// filter settings, at a given moment. Built once per refill of the list.
class EntryFilter
{
public:
    EntryFilter(const ViewFilter &filter, const ListScope &scope, const GroupTable &groups, double now);

    // The list is only refilled when groups exist and a group is chosen;
    // otherwise it is left as it is.
    static bool listIsRefilled(const GroupTable &groups, int selectedGroup);

    bool isShown(const URLData &entry) const;

    // The shown entries in store order.
    std::vector<const URLData *> shownEntries(const URLDatas &entries) const;

private:
    struct DateTest
    {
        int mode = ViewFilter::Off;
        int amount = 0;
        CalendarInterval::Unit unit = CalendarInterval::Days;
        qint64 nowIndex = 0;

        bool passes(double date) const;
    };
    static DateTest dateTest(int mode, int amount, int unitCode, double now);

    bool passesVisited(qint32 visited) const;

    const ViewFilter m_filter;
    const ListScope m_scope;
    const GroupTable &m_groups;
    DateTest m_accessed;
    DateTest m_added;
    std::optional<WildcardPattern> m_titleMask;
};
