// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TopLevelBookmarks.h"

#include "BookmarkLineParser.h"
#include "BookmarkSink.h"

void TopLevelBookmarks::addFolder(const QString &name)
{
    m_items.push_back({true, name, {}});
}

void TopLevelBookmarks::addToFolder(BookmarkEntry link)
{
    if (m_items.empty() || !m_items.back().isFolder)
        return;
    m_items.back().links.push_back(std::move(link));
    ++m_linkCount;
}

void TopLevelBookmarks::addLink(BookmarkEntry link)
{
    Item item;
    item.links.push_back(std::move(link));
    m_items.push_back(std::move(item));
    ++m_linkCount;
}

QStringList TopLevelBookmarks::addresses() const
{
    QStringList all;
    all.reserve(m_linkCount);
    for (const Item &item : m_items) {
        for (const BookmarkEntry &link : item.links)
            all << link.url;
    }
    return all;
}

void TopLevelBookmarks::updateLinks(const std::function<void(BookmarkEntry &link)> &change)
{
    for (Item &item : m_items) {
        for (BookmarkEntry &link : item.links)
            change(link);
    }
}

void TopLevelBookmarks::report(BookmarkSink &sink) const
{
    const QString &root = BookmarkLineParser::rootGroupName;
    bool rootOpened = false;
    bool inRoot = false;
    for (const Item &item : m_items) {
        if (item.isFolder) {
            sink.storeLastRootOwner();
            sink.newGroup(item.folderName);
            inRoot = false;
        } else if (!inRoot) {
            if (rootOpened)
                sink.reopenGroup(root);
            else
                sink.newGroup(root);
            rootOpened = inRoot = true;
        }
        for (const BookmarkEntry &link : item.links)
            sink.bungUsage(link);
    }
}
