// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A Chromium profile: its Bookmarks file (the input up to a line
// "--History--") and its History database (the rest; none when the line is
// missing), read through the profile reader from a profile folder. A profile
// that is refused gives a reason and leaves the bookmarks as they were; one
// that is read merges into a store with every entry in a group.

#include "ChromiumBookmarks.h"
#include "FuzzFolder.h"
#include "ProfileReadCheck.h"

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

    return checkProfileRead([&](TopLevelBookmarks &bookmarks, QString *error) {
        return ChromiumBookmarks::read(profile, bookmarks, error);
    });
}
