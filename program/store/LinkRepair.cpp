// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkRepair.h"

#include "EntryOperations.h"
#include "URLBlock.h"

qsizetype LinkRepair::applyTo(URLBlock &store) const
{
    qsizetype changed = 0;
    for (const AddressUpdate &update : updated) {
        const URLDatas &entries = store.urlDatas();
        const URLData *entry = entries.Item(entries.positionOfKey(update.key));
        if (!entry || entry->url != update.checked)
            continue;
        EntryOperations::EntryChange change;
        change.url = update.moved;
        if (EntryOperations::edit(store, update.key, change))
            ++changed;
    }
    return changed + EntryOperations::remove(store, removed);
}
