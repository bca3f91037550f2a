// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LongWork.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QSet>
#include <QString>
#include <vector>

class URLBlock;
class URLData;

// What a merge did.
struct MergeCounts
{
    int groupsAdded = 0;
    qsizetype entriesAdded = 0;
    qsizetype alreadyThere = 0;    // entries whose address their group held already
    qsizetype entriesRefused = 0;  // entries that found no room (the store's keys exhausted)
    qsizetype entriesUpdated = 0;  // entries already there whose usage the merge brought up to date
};

// What a browser recorded of a link; 0 for a date it does not know.
struct EntryUsage
{
    double created = 0.0;
    double lastVisit = 0.0;
    qint32 visits = 0;
};

// Adds groups and entries to a store as every merge does (a stack file, a
// bookmark file, a favorites folder), so that merging the same source again
// changes nothing:
// - The groups the merge opens are matched with the store's by name: the
//   merge's n-th group of a name is the store's n-th group of that name, and
//   is appended only when the store has fewer.
// - An entry whose address its group held before the merge began is not
//   added again, and is counted as already there. Entries without an address
//   are told apart by their titles.
// Nothing already in the store changes, but for the usage that mergeUsage
// brings up to date.
class StoreMerge
{
public:
    explicit StoreMerge(URLBlock &store);

    // Entries that follow go to the merge's next group of this name.
    void openGroup(const QString &name);
    // Entries that follow go to the group of this name the merge opened
    // last; opened as openGroup does when the merge has opened none.
    void reopenGroup(const QString &name);
    // The group entries go to: the one opened last, at first the store's
    // last group (-1 for none).
    int currentGroup() const { return m_current; }

    // Adds an entry to the current group with the store's next key; the
    // caller sets its dates and counts. nullptr when its address is already
    // there or the store has no room.
    URLData *addEntry(const QString &title, const QString &url);
    // Adds an entry as addEntry does, with this usage. When its address is
    // already there, the entries of that address in the group get the larger
    // visit count, the later last visit and the earlier creation instead; an
    // entry so changed is counted once as updated, however often it is met.
    // A creation of 0 (not known) is the merge's time for a new entry and
    // changes nothing of one already there.
    void mergeUsage(const QString &title, const QString &url, const EntryUsage &usage, double now);

    // Merges all of source (another store): its entries of no group into the
    // current group (but not those the store holds in no group too), then
    // each group of source in order with its entries, every field kept.
    // progress hears of the entries merged; when it says stop (at the last
    // step too) the merge ends at once and returns false, and the caller
    // takes back what it added (URLBlock::takeBackTo).
    bool mergeStore(const URLBlock &source, const LongWork::Progress &progress = {});

    const MergeCounts &counts() const { return m_counts; }

private:
    // The addresses, and titles of entries without one, of a group before the merge.
    struct Known
    {
        QMultiHash<QString, URLData *> addresses;
        QSet<QString> titlesWithoutAddress;
    };

    const Known &knownOf(int group);
    bool isKnown(int group, const QString &title, const QString &url);
    bool updateUsage(URLData &entry, const EntryUsage &usage);

    URLBlock &m_store;
    const int m_groupsBefore;  // groups from this one on are the merge's own, without entries before it
    int m_current;
    MergeCounts m_counts;
    QHash<QString, QList<int>> m_storeGroupsByName;  // the groups the store had, by name
    QHash<QString, int> m_openedCount;               // groups of each name the merge opened
    QHash<QString, int> m_openedLast;                // the group of each name the merge opened last
    // The store's entries by group (index: group + 1) as the merge began,
    // taken when the first entry arrives; what the merge adds is not in it.
    std::vector<std::vector<URLData *>> m_entriesBefore;
    bool m_entriesTaken = false;
    QHash<int, Known> m_known;
    QSet<const URLData *> m_updated;
};
