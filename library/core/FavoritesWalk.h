// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class BookmarkSink;

// Walks a favorites folder: the internet shortcuts (".url" in any case) of a
// folder are reported first, then each subfolder, as a group named after it
// followed by its own contents. Nested folders become groups of their own,
// not subgroups. Within a folder names are taken in order without regard to
// case, then in byte order, so the same folder always merges the same way.
// A folder reached a second time (through a symbolic link), or a link to a
// folder outside the one merged, is not walked, and what cannot be read is
// passed over: a folder, and a file named as a shortcut that is none (a FIFO,
// a device, a link that leads nowhere, a file that cannot be read or is too
// long to be a shortcut), which is counted. Names need not be valid UTF-8: one
// that is not shows as Windows-1252 text.
namespace FavoritesWalk {

// Called once for each folder walked, with how many have been walked; false
// stops the walk.
using FolderDone = std::function<bool(int folders)>;

// Returns how many files named as shortcuts were passed over; stopped tells
// (when given) whether folderDone stopped the walk.
int walkFavorites(const QString &path, BookmarkSink &sink, const FolderDone &folderDone = {},
                  bool *stopped = nullptr);

}  // namespace FavoritesWalk
