// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkSink.h"
#include "StoreMerge.h"
#include "UtcDayOffsets.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimeZone>
#include <optional>

class URLBlock;

// The host's handlers of a merge object's events, named for the variable
// "mb" that holds the object (see ComponentRegistry::connectEventsByName).
// The groups and entries go into the store through StoreMerge: a group of a
// name the store has is that group, and an address already in its group is
// not added again. An entry keeps what the source tells of it; without it,
// it was created at the merge's start and never visited. Nothing already in
// the store changes, but the usage of an entry a browser's profile tells of
// (mb_BungUsage). The main window and tsy both merge through it. As a
// BookmarkSink it takes the same calls directly from a merge object whose
// sink it is, without the events.
class MergeTarget : public QObject, public BookmarkSink
{
    Q_OBJECT
    Q_INTERFACES(BookmarkSink)

public:
    // now: the creation date of merged entries of which the source gives
    // none. source: the merge object, whose lastRootOwner
    // storeLastRootOwner sets.
    MergeTarget(URLBlock &store, double now, QObject *source);

    const MergeCounts &counts() const { return m_merge.counts(); }

    void newGroup(const QString &name) override { mb_NewGroup(name); }
    void reopenGroup(const QString &name) override { mb_ReopenGroup(name); }
    void bungUrl(const QString &title, const QString &url) override { mb_BungURL(title, url); }
    void bungEntry(const BookmarkEntry &entry) override;
    void bungUsage(const BookmarkEntry &entry) override;
    void storeLastRootOwner() override { mb_storeLastRootOwner(); }

public slots:
    void mb_NewGroup(const QString &gName);
    void mb_ReopenGroup(const QString &gName);
    void mb_BungURL(const QString &title, const QString &url);
    void mb_BungEntry(const QString &title, const QString &url, const QDateTime &added,
                      const QDateTime &lastVisit, int visits, int rating, int category);
    void mb_BungUsage(const QString &title, const QString &url, const QDateTime &added,
                      const QDateTime &lastVisit, int visits);
    void mb_storeLastRootOwner();

private:
    double dayCountOf(const QDateTime &time);
    double dayCountOf(std::optional<qint64> ms);
    void addEntry(const QString &title, const QString &url, double created, double lastVisit, int visits,
                  int rating, int category);

    StoreMerge m_merge;
    const double m_now;
    const QTimeZone m_localZone;
    UtcDayOffsets m_offsets;  // of m_localZone
    QPointer<QObject> m_source;
};
