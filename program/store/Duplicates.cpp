// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Duplicates.h"

#include "AddressKey.h"
#include "URLBlock.h"

#include <utility>
#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// A 64-bit hash of the key's code units, eight bytes at a step: cheaper than
// QHash's, and good enough, since entries of one hash are compared by their
// keys before they make a set.
quint64 hashOf(QStringView key)
{
    const char *bytes = reinterpret_cast<const char *>(key.utf16());
    size_t left = size_t(key.size()) * 2;
    quint64 hash = 0x9e3779b97f4a7c15ULL ^ left;
    const auto mix = [&hash](quint64 word) {
        hash = (hash ^ word) * 0xbf58476d1ce4e5b9ULL;
        hash ^= hash >> 31;
    };
    for (; left >= 8; left -= 8, bytes += 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        mix(word);
    }
    if (left > 0) {
        quint64 word = 0;
        std::memcpy(&word, bytes, left);
        mix(word);
    }
    return hash;
}

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
    // Each address's key is made in one reused buffer and only its hash is
    // kept: no text is held per entry. Entries of equal hashes are then told
    // apart by their keys, so that a collision never makes a set.
    struct Hashed
    {
        quint64 hash;
        quint32 key;
    };
    std::vector<Hashed> hashed;
    hashed.reserve(size_t(entries.Count()));
    QString buffer;
    for (const URLData &entry : entries) {
        AddressKey::write(entry.url, buffer);
        if (!buffer.isEmpty())
            hashed.push_back({hashOf(buffer), entry.keyNumber()});
    }
    std::sort(hashed.begin(), hashed.end(), [](const Hashed &a, const Hashed &b) {
        return a.hash != b.hash ? a.hash < b.hash : a.key < b.key;
    });
    std::vector<DuplicateSet> sets;
    for (size_t start = 0; start < hashed.size();) {
        size_t end = start + 1;
        while (end < hashed.size() && hashed[end].hash == hashed[start].hash)
            ++end;
        if (end - start > 1)
            splitByKey(entries, hashed.begin() + qsizetype(start), hashed.begin() + qsizetype(end), sets);
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
