// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FuzzCheck.h"
#include "StoreSink.h"
#include "TopLevelBookmarks.h"
#include "URLBlock.h"

#include <QString>
#include <QStringList>

// The property both browser-profile targets check: read(bookmarks, error)
// either refuses with a reason and leaves the bookmarks as they were, or
// what it read merges into a store with every entry in a group.
template <typename Read>
int checkProfileRead(Read read)
{
    TopLevelBookmarks bookmarks;
    bookmarks.addLink({QStringLiteral("kept"), QStringLiteral("http://kept/"), {}, {}, 0, 0, 0});
    QString error;
    if (!read(bookmarks, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(bookmarks.addresses() == QStringList {QStringLiteral("http://kept/")});
        return 0;
    }
    URLBlock store;
    StoreSink sink(store, 45364.5);
    bookmarks.report(sink);
    for (const URLData &entry : store.urlDatas())
        FUZZ_CHECK(store.IDXList().isGroup(entry.Owner) && entry.Visited >= 0);
    return 0;
}
