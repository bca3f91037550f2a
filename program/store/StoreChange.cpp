// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreChange.h"

#include "StoreSnapshot.h"
#include "URLBlock.h"

StoreChange::StoreChange(const StoreSnapshot &before, const URLBlock &after)
    : m_before {before.groups, before.changeCount, before.lastKey}
    , m_after {after.IDXList(), after.changeCount(), after.urlDatas().lastKeyNumber()}
    , m_groupsChanged(!sameGroups(before.groups, after.IDXList()))
{
    // Both sides are in key order: one walk over the two finds what went,
    // what came and what changed.
    auto old = before.entries.cbegin();
    const auto oldEnd = before.entries.cend();
    for (const URLData &entry : after.urlDatas()) {
        for (; old != oldEnd && old->key < entry.keyNumber(); ++old)
            m_removed.push_back(*old);
        if (old != oldEnd && old->key == entry.keyNumber()) {
            if (!EntryRecord::sameFields(*old, entry))
                m_changed.push_back({*old, EntryRecord::of(entry)});
            ++old;
        } else {
            m_added.push_back(EntryRecord::of(entry));
        }
    }
    m_removed.insert(m_removed.end(), old, oldEnd);
}

bool StoreChange::isEmpty() const
{
    return m_removed.empty() && m_added.empty() && m_changed.empty() && !m_groupsChanged;
}

qsizetype StoreChange::size() const
{
    return qsizetype(m_removed.size() + m_added.size() + 2 * m_changed.size());
}

void StoreChange::undo(URLBlock &store) const
{
    apply(store, m_after, m_before, m_added, m_removed, m_changed, true);
}

void StoreChange::redo(URLBlock &store) const
{
    apply(store, m_before, m_after, m_removed, m_added, m_changed, false);
}

void StoreChange::apply(URLBlock &store, const Side &from, const Side &to, const std::vector<EntryRecord> &gone,
                        const std::vector<EntryRecord> &back, const std::vector<Changed> &changed, bool backwards)
{
    URLDatas &entries = store.urlDatas();
    std::vector<quint32> keys;
    keys.reserve(gone.size());
    for (const EntryRecord &record : gone)
        keys.push_back(record.key);
    entries.removeKeys(keys);

    keys.clear();
    for (const EntryRecord &record : back)
        keys.push_back(record.key);
    const std::vector<URLData *> inserted = entries.insertKeys(keys);
    for (size_t i = 0; i < back.size(); ++i) {
        if (inserted[i])
            back[i].applyTo(*inserted[i]);
    }

    for (const Changed &change : changed) {
        URLData *entry = entries.Item(entries.positionOfKey(change.before.key));
        if (!entry)
            continue;
        if (backwards)
            EntryRecord::applyDifference(change.after, change.before, *entry);
        else
            EntryRecord::applyDifference(change.before, change.after, *entry);
    }

    if (!sameGroups(store.IDXList(), to.groups))
        store.restoreGroups(to.groups);
    entries.restoreKeyCounter(to.lastKey);
    // Back at the count the other side had, the store is as it was then (as
    // saved, when that was 0); a count that moved meanwhile (a save, a visit)
    // means the store now differs from what was saved: one change more.
    if (store.changeCount() == from.changeCount)
        store.setChangeCount(to.changeCount);
    else
        store.countChange();
}

bool StoreChange::sameGroups(const GroupTable &a, const GroupTable &b)
{
    if (a.groupCount() != b.groupCount())
        return false;
    for (int i = 0; i < a.groupCount(); ++i) {
        if (a.at(i).name != b.at(i).name || a.at(i).inIndexMask != b.at(i).inIndexMask)
            return false;
    }
    return true;
}
