// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <vector>

class URLBlock;
class URLData;
class URLDatas;

// Entries of the store whose addresses are one page (see AddressKey).
struct DuplicateSet
{
    std::vector<quint32> keys;  // the entries' key numbers, in store order; two or more
};

// Finding the entries that hold the same page anywhere in the store, in
// whatever groups, and merging each such set into the one entry kept.
namespace Duplicates {

// The sets, ordered by their first entry; one pass over the store.
std::vector<DuplicateSet> find(const URLDatas &entries);

// The entry kept unless the user picks another: the earliest created (a
// creation date of 0 is none), the first in store order among equals.
quint32 defaultKept(const URLDatas &entries, const DuplicateSet &set);

// Merges each set into its kept entry (kept[i] for sets[i], one of its
// keys): that entry keeps its key, title, address, group and category, and
// takes the earliest creation, the latest visit, the sum of the visits (at
// most the field's largest value; a negative count, of a damaged file,
// counts as none) and the highest rating of its set; the set's other
// entries are removed. Keys that name no entry any more are passed over. No
// change is counted. Returns how many entries were removed.
qsizetype merge(URLBlock &store, const std::vector<DuplicateSet> &sets, const std::vector<quint32> &kept);

// merge() with each set's default kept entry.
qsizetype mergeAll(URLBlock &store, const std::vector<DuplicateSet> &sets);

}  // namespace Duplicates
