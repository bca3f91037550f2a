// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GroupTable.h"
#include "URLDatas.h"

// The store: all entries, the group table and the counters that belong to
// them. There is one per process in the program; tests make their own.
//
// Group operations keep these invariants: each group's number equals its
// position in the table, nextGroupNumber() equals the number of groups, and
// each entry's Owner is the position of its group (or -1 for no group).
class URLBlock
{
public:
    URLBlock() = default;
    URLBlock(const URLBlock &) = delete;
    URLBlock &operator=(const URLBlock &) = delete;

    URLDatas &urlDatas() { return m_entries; }
    const URLDatas &urlDatas() const { return m_entries; }

    const GroupTable &IDXList() const { return m_groups; }
    int nextGroupNumber() const { return m_nextGroupNumber; }

    // Changes since the store was last loaded, saved or emptied; 0: nothing to save.
    int changeCount() const { return m_changeCount; }
    void countChange();  // saturates instead of overflowing
    void resetChangeCount() { m_changeCount = 0; }
    // The count an undo step saw at that moment (never below 0).
    void setChangeCount(int count);

    // Empties the store: no entries, no groups, both counters 0.
    void clear();
    // Exchanges everything the two stores hold, counters included.
    void swap(URLBlock &other) noexcept;

    // Appends a group. Not counted as a change: callers count it when it is one.
    void NewCatagory(const QString &newCat);

    // Group commands of the main window; each counts as one change.
    void addGroup(const QString &name);
    bool renameGroup(int number, const QString &name);
    bool setGroupInIndexMask(int number, bool inIndexMask);
    // Removes the group and every entry in it; entries of later groups move
    // down with their group. False when number is not a group.
    bool removeGroup(int number);

    // What the store held at one moment, for work that only adds (a merge)
    // to take back what it added: takeBackTo() removes the entries and
    // groups added since, and puts the change count and the key counter
    // back. Entries and groups that were there are not touched.
    struct Mark
    {
        qsizetype entries = 0;
        int groups = 0;
        int changeCount = 0;
        quint32 lastKey = 0;
    };
    Mark mark() const;
    void takeBackTo(const Mark &mark);

    // Puts back a group table as it was at an earlier moment (undo); the
    // entries' owners are the caller's to put back.
    void restoreGroups(const GroupTable &groups);

    // How many entries belong to the group, whatever is shown.
    qsizetype entryCountOfGroup(int number) const;

private:
    URLDatas m_entries;
    GroupTable m_groups;
    int m_nextGroupNumber = 0;
    int m_changeCount = 0;
};
