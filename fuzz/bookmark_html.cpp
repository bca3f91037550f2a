// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A Netscape bookmark file, read from its file and merged into an empty
// store as "Merge From" merges it. Every entry lands in a group the merge
// made, and merging the same file again adds nothing.

#include "BookmarkFileReader.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "URLBlock.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = FuzzFolder::write(QStringLiteral("bookmarks.html"),
                                           QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    URLBlock store;
    StoreSink sink(store, 45364.5);
    FUZZ_CHECK(BookmarkFileReader::readBookmarkFile(file, sink));
    for (const URLData &entry : store.urlDatas())
        FUZZ_CHECK(store.IDXList().isGroup(entry.Owner));
    const qsizetype entries = store.urlDatas().Count();
    StoreSink again(store, 45364.5);
    FUZZ_CHECK(BookmarkFileReader::readBookmarkFile(file, again));
    FUZZ_CHECK(store.urlDatas().Count() == entries);
    return 0;
}
