// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class BookmarkSink;

// A browser's bookmarks as its export to a bookmark file lays them out at
// the top level: links, and folders with every link below them (subfolders
// flattened, in order). report() tells them to a sink as the bookmark-file
// merge tells such a file (see BookmarkLineParser), so a profile and its
// export make the same groups: each folder a group of its name, and the
// links outside every folder the group "Netscape: ROOT", which a link after
// a folder reopens. Each link is reported with bungUsage: an address already
// in its group gets its usage brought up to date.
class TopLevelBookmarks
{
public:
    // The links that follow go to a new top-level folder of this name.
    void addFolder(const QString &name);
    // A link of the folder added last.
    void addToFolder(BookmarkEntry link);
    // A link outside every folder.
    void addLink(BookmarkEntry link);

    qsizetype linkCount() const { return m_linkCount; }
    // Every link's address, in order, with repeats.
    QStringList addresses() const;
    // Calls change on every link.
    void updateLinks(const std::function<void(BookmarkEntry &link)> &change);

    void report(BookmarkSink &sink) const;

private:
    struct Item
    {
        bool isFolder = false;
        QString folderName;
        std::vector<BookmarkEntry> links;  // one for a link outside every folder
    };

    std::vector<Item> m_items;
    qsizetype m_linkCount = 0;
};
