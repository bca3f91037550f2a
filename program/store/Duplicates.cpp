// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Duplicates.h"

#include "AddressKey.h"
#include "URLBlock.h"

#include <QHash>
#include <algorithm>
#include <limits>

namespace {

URLData *entryOf(const URLDatas &entries, quint32 key)
{
    return entries.Item(entries.positionOfKey(key));
}

// Folds the set's dates and counts into kept.
void combine(URLData &kept, const std::vector<URLData *> &members)
{
    qint64 visits = 0;
    for (const URLData *entry : members) {
        if (entry->Created != 0 && (kept.Created == 0 || entry->Created < kept.Created))
            kept.Created = entry->Created;
        kept.LastAccesed = std::max(kept.LastAccesed, entry->LastAccesed);
        kept.Rated = std::max(kept.Rated, entry->Rated);
        visits += std::max<qint32>(entry->Visited, 0);
    }
    kept.Visited = qint32(std::min<qint64>(visits, std::numeric_limits<qint32>::max()));
}

}  // namespace

namespace Duplicates {

std::vector<DuplicateSet> find(const URLDatas &entries)
{
    // By key: the one entry seen so far as -(key number + 1), or the set's
    // position + 1 once a second entry has come.
    QHash<QString, qint64> seen;
    seen.reserve(entries.Count());
    std::vector<DuplicateSet> sets;
    for (const URLData &entry : entries) {
        const QString key = AddressKey::of(entry.url);
        if (key.isEmpty())
            continue;
        qint64 &slot = seen[key];
        if (slot == 0) {
            slot = -(qint64(entry.keyNumber()) + 1);
        } else if (slot < 0) {
            sets.push_back(DuplicateSet {{quint32(-slot - 1), entry.keyNumber()}});
            slot = qint64(sets.size());
        } else {
            sets[size_t(slot - 1)].keys.push_back(entry.keyNumber());
        }
    }
    // Made as their second entries came; listed as their first ones come.
    std::sort(sets.begin(), sets.end(),
              [](const DuplicateSet &a, const DuplicateSet &b) { return a.keys.front() < b.keys.front(); });
    return sets;
}

quint32 defaultKept(const URLDatas &entries, const DuplicateSet &set)
{
    quint32 best = set.keys.empty() ? 0 : set.keys.front();
    double bestCreated = 0;
    for (quint32 key : set.keys) {
        const URLData *entry = entryOf(entries, key);
        if (entry && entry->Created != 0 && (bestCreated == 0 || entry->Created < bestCreated)) {
            best = key;
            bestCreated = entry->Created;
        }
    }
    return best;
}

qsizetype merge(URLBlock &store, const std::vector<DuplicateSet> &sets, const std::vector<quint32> &kept)
{
    const URLDatas &entries = store.urlDatas();
    std::vector<quint32> removed;
    for (size_t i = 0; i < sets.size() && i < kept.size(); ++i) {
        URLData *keeper = entryOf(entries, kept[i]);
        if (!keeper || std::find(sets[i].keys.begin(), sets[i].keys.end(), kept[i]) == sets[i].keys.end())
            continue;
        std::vector<URLData *> others;
        for (quint32 key : sets[i].keys) {
            URLData *entry = key == kept[i] ? nullptr : entryOf(entries, key);
            if (entry) {
                others.push_back(entry);
                removed.push_back(key);
            }
        }
        others.push_back(keeper);
        combine(*keeper, others);
    }
    return store.urlDatas().removeKeys(removed);
}

qsizetype mergeAll(URLBlock &store, const std::vector<DuplicateSet> &sets)
{
    std::vector<quint32> kept;
    kept.reserve(sets.size());
    for (const DuplicateSet &set : sets)
        kept.push_back(defaultKept(store.urlDatas(), set));
    return merge(store, sets, kept);
}

}  // namespace Duplicates
