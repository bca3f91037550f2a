// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Duplicates.h"

#include "AddressKey.h"
#include "URLBlock.h"

#include <utility>
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

// The entries of one hash (in key order), as the sets of those whose keys are
// equal; almost always a single set.
template<typename Iterator>
void splitByKey(const URLDatas &entries, Iterator begin, Iterator end, std::vector<DuplicateSet> &sets)
{
    std::vector<std::pair<QString, DuplicateSet>> byKey;
    for (Iterator it = begin; it != end; ++it) {
        const QString key = AddressKey::of(entryOf(entries, it->key)->url);
        auto same = std::find_if(byKey.begin(), byKey.end(), [&key](const auto &set) { return set.first == key; });
        if (same == byKey.end())
            byKey.push_back({key, DuplicateSet {{it->key}}});
        else
            same->second.keys.push_back(it->key);
    }
    for (auto &[key, set] : byKey) {
        if (set.keys.size() > 1)
            sets.push_back(std::move(set));
    }
}

}  // namespace

namespace Duplicates {

std::vector<DuplicateSet> find(const URLDatas &entries)
{
    // Only each address's key hash is made (no key text, no allocation per
    // entry), and the hashes go into an open-addressing table of entry
    // positions. An entry whose hash is already there is noted beside the
    // first of that hash; only those few are then told apart by their keys,
    // so that a collision never makes a set.
    struct Hashed
    {
        quint64 hash;
        quint32 key;
    };
    std::vector<Hashed> hashed;
    hashed.reserve(size_t(entries.Count()));
    for (const URLData &entry : entries) {
        if (!entry.url.isEmpty())
            hashed.push_back({AddressKey::hashOf(entry.url), entry.keyNumber()});
    }
    size_t slotCount = 16;
    while (slotCount < hashed.size() * 2)
        slotCount *= 2;
    const size_t mask = slotCount - 1;
    std::vector<quint32> table(slotCount, 0);  // a position in hashed plus one; 0 for none
    std::vector<std::pair<quint32, quint32>> repeats;  // (first position, later position) of one hash
    for (size_t i = 0; i < hashed.size(); ++i) {
        const quint64 hash = hashed[i].hash;
        for (size_t slot = size_t(hash ^ (hash >> 32)) & mask;; slot = (slot + 1) & mask) {
            if (table[slot] == 0) {
                table[slot] = quint32(i + 1);
                break;
            }
            if (hashed[table[slot] - 1].hash == hash) {
                repeats.push_back({table[slot] - 1, quint32(i)});
                break;
            }
        }
    }
    // The entries of each repeated hash in key order, as splitByKey takes them.
    std::sort(repeats.begin(), repeats.end());
    std::vector<DuplicateSet> sets;
    std::vector<Hashed> sameHash;
    for (size_t start = 0; start < repeats.size();) {
        const quint32 first = repeats[start].first;
        sameHash.assign(1, hashed[first]);
        size_t end = start;
        for (; end < repeats.size() && repeats[end].first == first; ++end)
            sameHash.push_back(hashed[repeats[end].second]);
        std::sort(sameHash.begin(), sameHash.end(), [](const Hashed &a, const Hashed &b) { return a.key < b.key; });
        splitByKey(entries, sameHash.begin(), sameHash.end(), sets);
        start = end;
    }
    // Listed as their first entries come in the store.
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
