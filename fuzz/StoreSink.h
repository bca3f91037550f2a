// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "MergeTarget.h"

// What a bookmark reader finds, merged into a store as the library's merge
// hands it to the program (MergeTarget), with the creation date now for
// links that come without one.
class StoreSink : public BookmarkSink
{
public:
    StoreSink(URLBlock &store, double now)
        : m_target(store, now, nullptr)
    { }
    void newGroup(const QString &name) override { m_target.mb_NewGroup(name); }
    void reopenGroup(const QString &name) override { m_target.mb_ReopenGroup(name); }
    void bungUrl(const QString &title, const QString &url) override { m_target.mb_BungURL(title, url); }
    void bungEntry(const BookmarkEntry &e) override { m_target.bungEntry(e); }
    void bungUsage(const BookmarkEntry &e) override { m_target.bungUsage(e); }
    void storeLastRootOwner() override { }

private:
    MergeTarget m_target;
};
