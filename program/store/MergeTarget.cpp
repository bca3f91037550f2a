// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MergeTarget.h"

#include "BookmarkEntry.h"
#include "DayCount.h"
#include "URLBlock.h"

#include <QVariant>

// A time of the source as a day count in local time; 0 for none.
double MergeTarget::dayCountOf(const QDateTime &time)
{
    if (!time.isValid())
        return 0.0;
    return DayCount::bounded(m_localZone.isValid() ? m_offsets.dayCount(time)
                                                   : DayCount::fromMoment(time, m_localZone));
}

// The same of a moment in milliseconds since 1970 (UTC); 0 for none.
double MergeTarget::dayCountOf(std::optional<qint64> ms)
{
    if (!ms)
        return 0.0;
    return DayCount::bounded(m_localZone.isValid()
                                 ? m_offsets.dayCountOfMs(*ms)
                                 : DayCount::fromMoment(QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC), m_localZone));
}

MergeTarget::MergeTarget(URLBlock &store, double now, QObject *source)
    : m_merge(store)
    , m_now(now)
    , m_localZone(QTimeZone::systemTimeZone())
    , m_offsets(m_localZone)
    , m_source(source)
{ }

void MergeTarget::mb_NewGroup(const QString &gName)
{
    m_merge.openGroup(gName);
}

void MergeTarget::mb_ReopenGroup(const QString &gName)
{
    m_merge.reopenGroup(gName);
}

void MergeTarget::mb_BungURL(const QString &title, const QString &url)
{
    mb_BungEntry(title, url, QDateTime(), QDateTime(), 0, 0, 0);
}

void MergeTarget::mb_BungEntry(const QString &title, const QString &url, const QDateTime &added,
                               const QDateTime &lastVisit, int visits, int rating, int category)
{
    addEntry(title, url, added.isValid() ? dayCountOf(added) : m_now, dayCountOf(lastVisit), visits, rating,
             category);
}

void MergeTarget::addEntry(const QString &title, const QString &url, double created, double lastVisit, int visits,
                           int rating, int category)
{
    URLData *entry = m_merge.addEntry(title, url);
    if (!entry)
        return;
    entry->LastAccesed = lastVisit;
    entry->Created = created;
    entry->Visited = visits;
    entry->Catagory = quint8(qBound(0, category, 255));
    entry->Rated = quint8(qBound(0, rating, 255));
}

void MergeTarget::mb_BungUsage(const QString &title, const QString &url, const QDateTime &added,
                               const QDateTime &lastVisit, int visits)
{
    m_merge.mergeUsage(title, url, {dayCountOf(added), dayCountOf(lastVisit), visits}, m_now);
}

void MergeTarget::bungEntry(const BookmarkEntry &entry)
{
    addEntry(entry.title, entry.url, entry.addedMs ? dayCountOf(entry.addedMs) : m_now, dayCountOf(entry.lastVisitMs),
             entry.visits, entry.rating, entry.category);
}

void MergeTarget::bungUsage(const BookmarkEntry &entry)
{
    m_merge.mergeUsage(entry.title, entry.url, {dayCountOf(entry.addedMs), dayCountOf(entry.lastVisitMs), entry.visits},
                       m_now);
}

void MergeTarget::mb_storeLastRootOwner()
{
    if (m_source)
        m_source->setProperty("lastRootOwner", QVariant(m_merge.currentGroup()));
}
