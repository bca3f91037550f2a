// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class TopLevelBookmarks;

// The bookmarks of a Chromium or Chrome profile: its "Bookmarks" file (JSON:
// the roots "bookmark_bar", "other" and "synced", each node a "url" or a
// "folder" with "children"; "date_added" and "date_last_used" are texts of
// microseconds since 1601), with the visit counts and last visits of its
// "History" database (the table urls), where the profile has one. Laid out
// as Chromium exports them: the bookmark bar as a folder (where it holds
// anything), the links and folders of "other" and "synced" at the top level.
// A link's last visit is the later of History's and its own last use.
namespace ChromiumBookmarks {

// Reads the whole profile into bookmarks, which it replaces: false, with an
// error text, when the Bookmarks file is missing or no such file, or the
// History database is no database, damaged, or of another schema; then
// bookmarks is left as it was.
bool read(const QString &profileFolder, TopLevelBookmarks &bookmarks, QString *error);

}  // namespace ChromiumBookmarks
