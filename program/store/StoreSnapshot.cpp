// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreSnapshot.h"

#include "URLBlock.h"

StoreSnapshot::StoreSnapshot(const URLBlock &store)
    : groups(store.IDXList())
    , changeCount(store.changeCount())
    , lastKey(store.urlDatas().lastKeyNumber())
{
    entries.reserve(size_t(store.urlDatas().Count()));
    for (const URLData &entry : store.urlDatas())
        entries.push_back(EntryRecord::of(entry));
}
