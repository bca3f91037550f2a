// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "URLBlock.h"

#include "StoreRevision.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <utility>

namespace {

std::atomic<quint64> revision {0};

void touch()
{
    ++revision;
}

}  // namespace

quint64 StoreRevision::current()
{
    return revision;
}

void URLBlock::countChange()
{
    touch();
    if (m_changeCount < std::numeric_limits<int>::max())
        ++m_changeCount;
}

void URLBlock::setChangeCount(int count)
{
    // Only undo and redo set the count back, after changing entries.
    touch();
    m_changeCount = qMax(count, 0);
}

void URLBlock::clear()
{
    m_entries.Clear();
    m_groups.reset();
    m_nextGroupNumber = 0;
    m_changeCount = 0;
    touch();
}

void URLBlock::swap(URLBlock &other) noexcept
{
    m_entries.swap(other.m_entries);
    std::swap(m_groups, other.m_groups);
    std::swap(m_nextGroupNumber, other.m_nextGroupNumber);
    std::swap(m_changeCount, other.m_changeCount);
    touch();
}

void URLBlock::NewCatagory(const QString &newCat)
{
    m_groups.appendGroup(newCat, m_nextGroupNumber);
    ++m_nextGroupNumber;
    touch();
}

void URLBlock::addGroup(const QString &name)
{
    NewCatagory(name);
    countChange();
}

bool URLBlock::renameGroup(int number, const QString &name)
{
    if (!m_groups.isGroup(number))
        return false;
    m_groups[number].name = name;
    countChange();
    return true;
}

bool URLBlock::setGroupInIndexMask(int number, bool inIndexMask)
{
    if (!m_groups.isGroup(number))
        return false;
    m_groups[number].inIndexMask = inIndexMask;
    return true;
}

bool URLBlock::removeGroup(int number)
{
    if (!m_groups.isGroup(number))
        return false;
    m_entries.removeIf([number](const URLData &entry) { return entry.Owner == number; });
    for (URLData &entry : m_entries) {
        if (entry.Owner > number)
            entry.Owner -= 1;
    }
    m_groups.removeGroup(number);
    m_nextGroupNumber = m_groups.groupCount();
    countChange();
    return true;
}

void URLBlock::restoreGroups(const GroupTable &groups)
{
    m_groups = groups;
    m_nextGroupNumber = m_groups.groupCount();
    touch();
}

URLBlock::Mark URLBlock::mark() const
{
    return {m_entries.Count(), m_groups.groupCount(), m_changeCount, m_entries.lastKeyNumber()};
}

void URLBlock::takeBackTo(const Mark &mark)
{
    m_entries.takeBackTo(mark.entries, mark.lastKey);
    while (m_groups.groupCount() > mark.groups)
        m_groups.removeGroup(m_groups.groupCount() - 1);
    m_nextGroupNumber = m_groups.groupCount();
    m_changeCount = mark.changeCount;
    touch();
}

qsizetype URLBlock::entryCountOfGroup(int number) const
{
    return std::count_if(m_entries.begin(), m_entries.end(),
                         [number](const URLData &entry) { return entry.Owner == number; });
}
