// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

class URLBlock;
class URLData;

// Changes to entries named by their keys: the commands of the entry lists,
// the entry editor and tsy all go through these. A key that names no entry
// is skipped (a row whose entry is gone); callers that must act on all or
// nothing check unknownKeys() first. None of them counts a change: the
// caller counts one per command.
namespace EntryOperations {

constexpr int highestRating = 4;

// The keys of the list that name no entry of the store, in the list's order.
std::vector<quint32> unknownKeys(const URLBlock &store, const std::vector<quint32> &keys);

// Removes the entries, in one pass over the store. Returns how many went.
qsizetype remove(URLBlock &store, const std::vector<quint32> &keys);

// Gives the entries a rating (0 "Not Rated" to 4 "V.High"). Returns how
// many entries were found; nothing happens for a rating out of range.
qsizetype rate(URLBlock &store, const std::vector<quint32> &keys, int rating);

// Moves the entries into a group. Returns how many entries were found;
// nothing happens when group is not a group of the store.
qsizetype move(URLBlock &store, const std::vector<quint32> &keys, int group);

struct NewEntry
{
    QString title;
    QString url;
    int group = -1;
    int rating = 0;
};

// Adds an entry as the entry editor's "Accept" does: created now, never
// visited, its category the group's position. Null (and nothing added) when
// the group is not a group of the store, the rating is out of range or the
// keys are exhausted.
URLData *add(URLBlock &store, const NewEntry &entry, double now);

// What an edit changes; fields left empty stay as they are. The creation
// date, last visit and visit count never change by an edit.
struct EntryChange
{
    std::optional<QString> title;
    std::optional<QString> url;
    std::optional<int> rating;
    std::optional<int> group;
};

// Applies a change to one entry. False, and nothing changed, when the key
// names no entry or the rating or group is out of range.
bool edit(URLBlock &store, quint32 key, const EntryChange &change);

// The same on an entry outside a store, whose range checks the caller has made.
void edit(URLData &entry, const EntryChange &change);

// An entry is opened: one more visit (saturating), last visit now. Null
// when the key names no entry.
URLData *visit(URLBlock &store, quint32 key, double now);
void visit(URLData &entry, double now);

// The entry add() makes in a valid group, outside a store (its key unset).
URLData newEntry(const NewEntry &entry, double now);

} // namespace EntryOperations
