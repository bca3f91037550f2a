// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryFilter.h"

#include "GroupTable.h"
#include "URLDatas.h"

EntryFilter::EntryFilter(const ViewFilter &filter, const ListScope &scope, const GroupTable &groups,
                         double now)
    : m_filter(filter)
    , m_scope(scope)
    , m_groups(groups)
    , m_accessed(dateTest(filter.accessedMode, filter.accessedAmount, filter.accessedUnit, now))
    , m_added(dateTest(filter.addedMode, filter.addedAmount, filter.addedUnit, now))
{
    if (!filter.textMask.isEmpty())
        m_titleMask = WildcardPattern::containing(filter.textMask);
}

bool EntryFilter::listIsRefilled(const GroupTable &groups, int selectedGroup)
{
    return !groups.isEmpty() && selectedGroup != -1;
}

EntryFilter::DateTest EntryFilter::dateTest(int mode, int amount, int unitCode, double now)
{
    DateTest test;
    test.mode = mode;
    test.amount = amount;
    test.unit = CalendarInterval::fromCode(unitCode);
    test.nowIndex = CalendarInterval::index(test.unit, now);
    return test;
}

// The date moved on by the amount is compared with now: "More Than" n units
// ago when that moment has passed, "Less Than" when it lies up to n unit
// boundaries ahead, "Equal To" when it falls in the present unit.
bool EntryFilter::DateTest::passes(double date) const
{
    if (mode == ViewFilter::Off)
        return true;
    if (date == 0.0)
        return false;
    const double target = CalendarInterval::add(unit, amount, date);
    const qint64 d = CalendarInterval::index(unit, target) - nowIndex;
    switch (mode) {
    case ViewFilter::MoreThan:
        return d < 0;
    case ViewFilter::LessThan:
        return d > 0 && d <= amount;
    case ViewFilter::EqualTo:
        return d == 0;
    default:
        return true;
    }
}

bool EntryFilter::passesVisited(qint32 visited) const
{
    switch (m_filter.visitedMode) {
    case ViewFilter::MoreThan:
        return visited > m_filter.visitedCount;
    case ViewFilter::LessThan:
        return visited < m_filter.visitedCount;
    case ViewFilter::EqualTo:
        return visited == m_filter.visitedCount;
    default:
        return true;
    }
}

bool EntryFilter::isShown(const URLData &entry) const
{
    if (!m_scope.allGroups && entry.Owner != m_scope.selectedGroup)
        return false;
    if (m_scope.allGroups && !(m_groups.isGroup(entry.Owner) && m_groups.at(entry.Owner).inIndexMask))
        return false;
    if (entry.Rated >= m_filter.ratingMask.size() || !m_filter.ratingMask[entry.Rated])
        return false;
    if (!passesVisited(entry.Visited))
        return false;
    if (!m_accessed.passes(entry.LastAccesed) || !m_added.passes(entry.Created))
        return false;
    return !m_titleMask || m_titleMask->matches(entry.Name);
}

std::vector<const URLData *> EntryFilter::shownEntries(const URLDatas &entries) const
{
    std::vector<const URLData *> shown;
    for (const URLData &entry : entries) {
        if (isShown(entry))
            shown.push_back(&entry);
    }
    return shown;
}
