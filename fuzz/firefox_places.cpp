// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Firefox's places.sqlite, read through the profile reader from a file that
// holds the input. A file that is refused gives a reason and leaves the
// bookmarks as they were; one that is read merges into a store with every
// entry in a group.

#include "FirefoxPlaces.h"
#include "FuzzFolder.h"
#include "ProfileReadCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzFolder::ensureApplication();
    const QString file = FuzzFolder::write(QStringLiteral("places.sqlite"),
                                           QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return checkProfileRead([&](TopLevelBookmarks &bookmarks, QString *error) {
        return FirefoxPlaces::read(file, bookmarks, error);
    });
}
