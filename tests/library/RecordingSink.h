// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A bookmark sink for the tests of the bookmark-file readers and writer.
#pragma once

#include "BookmarkEntry.h"
#include "BookmarkSink.h"

#include <QStringList>
#include <optional>

// Records every report as a text: "+Group", "=Group" (reopened), "Title|url",
// "^" (the last root owner); and what each link's tag gives, as "added
// lastVisit visits rating category".
class RecordingSink : public BookmarkSink
{
public:
    QStringList events;
    QStringList details;
    void newGroup(const QString &name) override { events << u'+' + name; }
    void reopenGroup(const QString &name) override { events << u'=' + name; }
    void bungUrl(const QString &title, const QString &url) override { events << title + u'|' + url; }
    void bungEntry(const BookmarkEntry &entry) override
    {
        events << entry.title + u'|' + entry.url;
        details << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(timeText(entry.addedMs), timeText(entry.lastVisitMs))
                       .arg(entry.visits)
                       .arg(entry.rating)
                       .arg(entry.category);
    }
    void storeLastRootOwner() override { events << QStringLiteral("^"); }

    static QString timeText(std::optional<qint64> ms)
    {
        return ms ? BookmarkEntry::timeOf(ms).toString(Qt::ISODateWithMs) : QStringLiteral("-");
    }
};
