#pragma once

#include <QString>

// Receives what the readers of bookmark files and favorites folders find, in
// file order: a new group, a link that belongs to the group made last, and
// the moment before a top-level folder's group is made.
class BookmarkSink
{
public:
    virtual ~BookmarkSink() = default;

    virtual void newGroup(const QString &name) = 0;
    virtual void bungUrl(const QString &title, const QString &url) = 0;
    virtual void storeLastRootOwner() = 0;
};
