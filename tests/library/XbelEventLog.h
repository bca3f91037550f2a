// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkEntry.h"
#include "BookmarkSink.h"
#include "XbelReader.h"

#include <QByteArray>
#include <QStringList>

// Everything a reader tells its sink, one line each, dates to the millisecond.
class EventLog : public BookmarkSink
{
public:
    void newGroup(const QString &name) override { lines << "+" + name; }
    void reopenGroup(const QString &name) override { lines << "=" + name; }
    void bungUrl(const QString &title, const QString &url) override { lines << "url " + title + "|" + url; }
    void bungEntry(const BookmarkEntry &e) override
    {
        const auto date = [](std::optional<qint64> ms) { return ms ? QString::number(*ms) : "-"; };
        lines << QStringList {e.title, e.url, date(e.addedMs), date(e.lastVisitMs), QString::number(e.visits),
                              QString::number(e.rating), QString::number(e.category)}
                     .join('|');
    }
    void storeLastRootOwner() override { lines << "root"; }
    QStringList lines;
};

// What a reader makes of data: its events, or its refusal (an error text;
// an empty one when the fast reader declines).
struct Reading
{
    bool read;
    QStringList lines;
    QString error;
};

inline Reading readingOf(const QByteArray &data, XbelReader::Reader reader)
{
    EventLog log;
    QString error;
    const bool read = XbelReader::readXbelData(data, log, &error, reader);
    return {read, log.lines, error};
}
