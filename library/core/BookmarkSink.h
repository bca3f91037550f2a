// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

struct BookmarkEntry;

// Receives what the readers of bookmark files and favorites folders find, in
// file order: a new group, a link that belongs to the current group (the
// group made last, or the one reopened), and the moment before a top-level
// folder's group is made. A host's QObject that implements it (Q_INTERFACES)
// can take a merge's bookmarks from the library directly, without a signal
// for each (see mergeBrow's sink).
class BookmarkSink
{
public:
    virtual ~BookmarkSink() = default;

    virtual void newGroup(const QString &name) = 0;
    // The links that follow go to the most recent group of this name that
    // this merge made.
    virtual void reopenGroup(const QString &name) = 0;
    // A link of which only its title and address are known (a favorite).
    virtual void bungUrl(const QString &title, const QString &url) = 0;
    // A link of a bookmark file, with the dates and counts the file gives.
    virtual void bungEntry(const BookmarkEntry &entry) = 0;
    // A link of a browser's profile with the usage the browser recorded: an
    // address that its group holds already is not added again, but gets the
    // larger visit count, the later last visit and the earlier creation.
    virtual void bungUsage(const BookmarkEntry &entry) { bungEntry(entry); }
    virtual void storeLastRootOwner() = 0;
};

Q_DECLARE_INTERFACE(BookmarkSink, "org.tessaly.BookmarkSink/1")
