// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An XBEL file merged into an empty store. A file that is refused gives a
// reason and reports nothing; one that is read puts every entry in a group.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "URLBlock.h"
#include "XbelReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = FuzzFolder::write(QStringLiteral("bookmarks.xbel"),
                                           QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    URLBlock store;
    StoreSink sink(store, 45364.5);
    QString error;
    if (!XbelReader::readXbelFile(file, sink, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(store.urlDatas().isEmpty() && store.IDXList().isEmpty());
        return 0;
    }
    for (const URLData &entry : store.urlDatas())
        FUZZ_CHECK(store.IDXList().isGroup(entry.Owner));
    return 0;
}
