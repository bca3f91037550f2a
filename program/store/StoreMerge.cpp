// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreMerge.h"

#include "URLBlock.h"

StoreMerge::StoreMerge(URLBlock &store)
    : m_store(store)
    , m_groupsBefore(store.IDXList().groupCount())
    , m_current(m_groupsBefore - 1)
{
    const GroupTable &groups = store.IDXList();
    for (int group = 0; group < groups.groupCount(); ++group)
        m_storeGroupsByName[groups.at(group).name].append(group);
}

void StoreMerge::openGroup(const QString &name)
{
    const int occurrence = m_openedCount[name]++;
    const QList<int> same = m_storeGroupsByName.value(name);
    if (occurrence < same.size()) {
        m_current = same.at(occurrence);
    } else {
        m_store.NewCatagory(name);
        m_current = m_store.IDXList().groupCount() - 1;
        ++m_counts.groupsAdded;
    }
    m_openedLast[name] = m_current;
}

void StoreMerge::reopenGroup(const QString &name)
{
    const auto last = m_openedLast.constFind(name);
    if (last == m_openedLast.cend())
        openGroup(name);
    else
        m_current = *last;
}

URLData *StoreMerge::addEntry(const QString &title, const QString &url)
{
    if (isKnown(m_current, title, url)) {
        ++m_counts.alreadyThere;
        return nullptr;
    }
    URLData *entry = m_store.urlDatas().Add(title, url, m_current);
    if (entry)
        ++m_counts.entriesAdded;
    else
        ++m_counts.entriesRefused;
    return entry;
}

void StoreMerge::mergeUsage(const QString &title, const QString &url, const EntryUsage &usage, double now)
{
    if (isKnown(m_current, title, url) && !url.isEmpty()) {
        ++m_counts.alreadyThere;
        const Known &known = knownOf(m_current);
        const auto [first, last] = known.addresses.equal_range(url);
        for (auto it = first; it != last; ++it) {
            if (updateUsage(**it, usage) && !m_updated.contains(*it)) {
                m_updated.insert(*it);
                ++m_counts.entriesUpdated;
            }
        }
        return;
    }
    URLData *entry = addEntry(title, url);
    if (!entry)
        return;
    entry->Created = usage.created != 0.0 ? usage.created : now;
    entry->LastAccesed = usage.lastVisit;
    entry->Visited = qMax<qint32>(0, usage.visits);
}

// True when the entry changed. A stack file keeps dates to 0.864 seconds: a
// date within a second of the entry's is the same date, so that the import
// of a profile into the file it was saved to changes nothing.
bool StoreMerge::updateUsage(URLData &entry, const EntryUsage &usage)
{
    constexpr double sameDate = 1.0 / 86400.0;
    bool changed = false;
    if (usage.visits > entry.Visited) {
        entry.Visited = usage.visits;
        changed = true;
    }
    if (usage.lastVisit != 0.0 && usage.lastVisit > entry.LastAccesed + sameDate) {
        entry.LastAccesed = usage.lastVisit;
        changed = true;
    }
    if (usage.created != 0.0 && (entry.Created == 0.0 || usage.created < entry.Created - sameDate)) {
        entry.Created = usage.created;
        changed = true;
    }
    return changed;
}

bool StoreMerge::mergeStore(const URLBlock &source, const LongWork::Progress &progress)
{
    // Entries merged between two reports of progress.
    constexpr qsizetype entriesPerStep = 4096;
    const qsizetype total = source.urlDatas().Count();
    qsizetype merged = 0;
    bool goOn = true;
    const GroupTable &groups = source.IDXList();
    // By group, in the source's order; the last list holds the entries of no group.
    std::vector<std::vector<const URLData *>> byGroup(size_t(groups.groupCount()) + 1);
    for (const URLData &entry : source.urlDatas())
        byGroup[size_t(groups.isGroup(entry.Owner) ? entry.Owner : groups.groupCount())].push_back(&entry);
    const auto addAll = [&](const std::vector<const URLData *> &entries, bool ofNoGroup) {
        for (const URLData *from : entries) {
            if (++merged % entriesPerStep == 0 && !(goOn = LongWork::report(progress, merged, total)))
                return;
            // An entry of no group is there already when the store has it in no group too.
            if (ofNoGroup && m_current != -1 && isKnown(-1, from->Name, from->url)) {
                ++m_counts.alreadyThere;
                continue;
            }
            URLData *entry = addEntry(from->Name, from->url);
            if (!entry)
                continue;
            entry->LastAccesed = from->LastAccesed;
            entry->Created = from->Created;
            entry->Visited = from->Visited;
            entry->Catagory = from->Catagory;
            entry->Rated = from->Rated;
        }
    };
    addAll(byGroup.back(), true);
    for (int group = 0; group < groups.groupCount() && goOn; ++group) {
        openGroup(groups.at(group).name);
        addAll(byGroup[size_t(group)], false);
    }
    return goOn && LongWork::report(progress, total, total);
}

const StoreMerge::Known &StoreMerge::knownOf(int group)
{
    if (!m_entriesTaken) {
        m_entriesTaken = true;
        m_entriesBefore.resize(size_t(m_store.IDXList().groupCount()) + 1);
        for (URLData &entry : m_store.urlDatas()) {
            if (entry.Owner >= -1 && entry.Owner < m_store.IDXList().groupCount())
                m_entriesBefore[size_t(entry.Owner + 1)].push_back(&entry);
        }
    }
    const auto found = m_known.constFind(group);
    if (found != m_known.cend())
        return *found;
    Known &known = m_known[group];
    if (size_t(group + 1) < m_entriesBefore.size()) {
        for (URLData *entry : m_entriesBefore[size_t(group + 1)]) {
            if (entry->url.isEmpty())
                known.titlesWithoutAddress.insert(entry->Name);
            else
                known.addresses.insert(entry->url, entry);
        }
        // Only the sets are looked at from now on.
        std::vector<URLData *>().swap(m_entriesBefore[size_t(group + 1)]);
    }
    return known;
}

bool StoreMerge::isKnown(int group, const QString &title, const QString &url)
{
    // A group the merge made held nothing before it: nothing to look up.
    if (group >= m_groupsBefore)
        return false;
    const Known &known = knownOf(group);
    return url.isEmpty() ? known.titlesWithoutAddress.contains(title) : known.addresses.contains(url);
}
