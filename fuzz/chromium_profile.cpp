// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A Chromium profile: its Bookmarks file (the input up to a line
// "--History--") and its History database (the rest; none when the line is
// missing), read through the profile reader from a profile folder. A profile
// that is refused gives a reason and leaves the bookmarks as they were; one
// that is read merges into a store with every entry in a group.

#include "ChromiumBookmarks.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "TopLevelBookmarks.h"
#include "URLBlock.h"

#include <QDir>
#include <QFile>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzFolder::ensureApplication();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray mark("\n--History--\n");
    const qsizetype split = input.indexOf(mark);
    const QString profile = FuzzFolder::path() + QStringLiteral("/profile");
    FUZZ_CHECK(QDir().mkpath(profile));
    FuzzFolder::write(QStringLiteral("profile/Bookmarks"), split < 0 ? input : input.first(split));
    if (split < 0)
        QFile::remove(profile + QStringLiteral("/History"));
    else
        FuzzFolder::write(QStringLiteral("profile/History"), input.sliced(split + mark.size()));

    TopLevelBookmarks bookmarks;
    bookmarks.addLink({QStringLiteral("kept"), QStringLiteral("http://kept/"), {}, {}, 0, 0, 0});
    QString error;
    if (!ChromiumBookmarks::read(profile, bookmarks, &error)) {
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
