// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Firefox's places.sqlite, read through the profile reader from a file that
// holds the input. A file that is refused gives a reason and leaves the
// bookmarks as they were; one that is read merges into a store with every
// entry in a group.

#include "FirefoxPlaces.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "TopLevelBookmarks.h"
#include "URLBlock.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzFolder::ensureApplication();
    const QString file = FuzzFolder::write(QStringLiteral("places.sqlite"),
                                           QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    TopLevelBookmarks bookmarks;
    bookmarks.addLink({QStringLiteral("kept"), QStringLiteral("http://kept/"), {}, {}, 0, 0, 0});
    QString error;
    if (!FirefoxPlaces::read(file, bookmarks, &error)) {
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
