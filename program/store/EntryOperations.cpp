// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryOperations.h"

#include "URLBlock.h"

#include <limits>

namespace EntryOperations {

namespace {

URLData *entryOf(const URLBlock &store, quint32 key)
{
    return store.urlDatas().Item(store.urlDatas().positionOfKey(key));
}

bool isRating(int rating)
{
    return rating >= 0 && rating <= highestRating;
}

// The category byte holds the group's position; positions past a byte keep its largest value.
quint8 catagoryOf(int group)
{
    return quint8(std::min(group, int(std::numeric_limits<quint8>::max())));
}

// Applies change to each entry a key names; returns how many keys named one.
template<typename Change>
qsizetype forEachEntry(const URLBlock &store, const std::vector<quint32> &keys, Change change)
{
    qsizetype found = 0;
    for (const quint32 key : keys) {
        if (URLData *entry = entryOf(store, key)) {
            change(*entry);
            ++found;
        }
    }
    return found;
}

}  // namespace

std::vector<quint32> unknownKeys(const URLBlock &store, const std::vector<quint32> &keys)
{
    std::vector<quint32> unknown;
    for (const quint32 key : keys) {
        if (store.urlDatas().positionOfKey(key) == 0)
            unknown.push_back(key);
    }
    return unknown;
}

qsizetype remove(URLBlock &store, const std::vector<quint32> &keys)
{
    URLDatas &entries = store.urlDatas();
    if (entries.isEmpty() || keys.empty())
        return 0;
    // Keys run from 1 to the last entry's; while they are about as many as
    // the entries, a mark per key is the quickest test of each entry.
    const quint32 lastKey = entries.Item(entries.Count())->keyNumber();
    if (lastKey / 64 > quint32(entries.Count()))
        return entries.removeKeys(keys);
    std::vector<bool> removed(size_t(lastKey) + 1);
    for (const quint32 key : keys) {
        if (key <= lastKey)
            removed[key] = true;
    }
    return entries.removeIf([&removed](const URLData &entry) { return removed[entry.keyNumber()]; });
}

qsizetype rate(URLBlock &store, const std::vector<quint32> &keys, int rating)
{
    if (!isRating(rating))
        return 0;
    return forEachEntry(store, keys, [rating](URLData &entry) { entry.Rated = quint8(rating); });
}

qsizetype move(URLBlock &store, const std::vector<quint32> &keys, int group)
{
    if (!store.IDXList().isGroup(group))
        return 0;
    return forEachEntry(store, keys, [group](URLData &entry) { entry.Owner = group; });
}

namespace {

// The fields of a new entry but its texts, group and key.
void setNewFields(URLData &added, const NewEntry &entry, double now)
{
    added.Rated = quint8(entry.rating);
    added.Catagory = catagoryOf(entry.group);
    added.Created = now;
    added.LastAccesed = 0.0;
    added.Visited = 0;
}

}  // namespace

URLData *add(URLBlock &store, const NewEntry &entry, double now)
{
    if (!store.IDXList().isGroup(entry.group) || !isRating(entry.rating))
        return nullptr;
    URLData *added = store.urlDatas().Add(entry.title, entry.url, entry.group);
    if (!added)
        return nullptr;
    setNewFields(*added, entry, now);
    return added;
}

URLData newEntry(const NewEntry &entry, double now)
{
    URLData added;
    added.Name = entry.title;
    added.url = entry.url;
    added.Owner = entry.group;
    setNewFields(added, entry, now);
    return added;
}

bool edit(URLBlock &store, quint32 key, const EntryChange &change)
{
    URLData *entry = entryOf(store, key);
    if (!entry || (change.rating && !isRating(*change.rating))
        || (change.group && !store.IDXList().isGroup(*change.group)))
        return false;
    edit(*entry, change);
    return true;
}

void edit(URLData &entry, const EntryChange &change)
{
    if (change.title)
        entry.Name = *change.title;
    if (change.url)
        entry.url = *change.url;
    if (change.rating)
        entry.Rated = quint8(*change.rating);
    if (change.group)
        entry.Owner = *change.group;
}

URLData *visit(URLBlock &store, quint32 key, double now)
{
    URLData *entry = entryOf(store, key);
    if (entry)
        visit(*entry, now);
    return entry;
}

void visit(URLData &entry, double now)
{
    if (entry.Visited < std::numeric_limits<qint32>::max())
        ++entry.Visited;
    entry.LastAccesed = now;
}

}  // namespace EntryOperations
