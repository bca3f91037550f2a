// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryRecord.h"
#include "GroupTable.h"

#include <vector>

class URLBlock;
struct StoreSnapshot;

// One command's change to the store, as the difference between the store
// before it (a StoreSnapshot) and after it: the entries it removed, added and
// changed, with their keys and every field, and the group table and counters
// on both sides. It holds only what the command touched, so that a history of
// many steps over a large store stays small.
//
// undo() puts the store back as it was before, redo() as it was after: removed
// entries come back under their own keys, which puts them back in their places
// (store order is key order). A field that something else changed in between
// (a visit counted since) is left as it is unless the command changed it too.
class StoreChange
{
public:
    StoreChange() = default;
    StoreChange(const StoreSnapshot &before, const URLBlock &after);

    // Nothing the user could see changed (a command that was cancelled, or
    // only counted a change).
    bool isEmpty() const;
    // How many entry records the change holds: its weight in a history.
    qsizetype size() const;

    void undo(URLBlock &store) const;
    void redo(URLBlock &store) const;

private:
    struct Side
    {
        GroupTable groups;
        int changeCount = 0;
        quint32 lastKey = 0;
    };
    struct Changed
    {
        EntryRecord before;
        EntryRecord after;
    };

    // Takes the store from the side `from` to the side `to`: gone are the
    // entries only `from` holds, back the entries only `to` holds.
    static void apply(URLBlock &store, const Side &from, const Side &to, const std::vector<EntryRecord> &gone,
                      const std::vector<EntryRecord> &back, const std::vector<Changed> &changed, bool backwards);
    static bool sameGroups(const GroupTable &a, const GroupTable &b);

    std::vector<EntryRecord> m_removed;  // in key order, as before
    std::vector<EntryRecord> m_added;    // in key order, as after
    std::vector<Changed> m_changed;
    Side m_before;
    Side m_after;
    bool m_groupsChanged = false;
};
