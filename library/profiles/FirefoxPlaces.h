// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class TopLevelBookmarks;

// The bookmarks of a Firefox profile, from its places.sqlite: moz_bookmarks
// (type 1 a bookmark, 2 a folder, 3 a separator) under the roots "menu",
// "toolbar", "unfiled" and "mobile" (the "tags" root is passed over), each
// bookmark with its moz_places row's address, visit count and last visit
// (from moz_historyvisits where moz_places holds none). Laid out as Firefox
// exports them: the menu's links and folders at the top level, then the
// toolbar, "Other Bookmarks" and the mobile bookmarks as folders, where they
// hold anything. Separators and "place:" queries are passed over.
namespace FirefoxPlaces {

// Reads the whole file into bookmarks, which it replaces: false, with an
// error text, for a file that is missing, no database, damaged, or of another
// schema; then bookmarks is left as it was.
bool read(const QString &placesFile, TopLevelBookmarks &bookmarks, QString *error);

// The places file of a profile folder.
QString placesFileOf(const QString &profileFolder);

}  // namespace FirefoxPlaces
