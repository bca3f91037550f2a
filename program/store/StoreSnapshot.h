// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryRecord.h"
#include "GroupTable.h"

#include <vector>

class URLBlock;

// What the store held at one moment: every entry (in store order, which is
// key order), the group table and the counters. Taken before a command runs
// and dropped once StoreChange has kept the difference; the texts share their
// data with the store's, so taking it copies no text.
struct StoreSnapshot
{
    explicit StoreSnapshot(const URLBlock &store);

    std::vector<EntryRecord> entries;
    GroupTable groups;
    int changeCount = 0;
    quint32 lastKey = 0;
};
