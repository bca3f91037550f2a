// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>

// A link of a bookmark file with what the file says of it (see
// BookmarkAttributes for how its tag holds them).
struct BookmarkEntry
{
    QString title;
    QString url;
    // Moments as milliseconds since 1970 (UTC), the form the merge turns into
    // day counts without making a QDateTime of each.
    std::optional<qint64> addedMs;      // none: the file gives none
    std::optional<qint64> lastVisitMs;  // none: never visited, or not known
    qint32 visits = 0;
    quint8 rating = 0;
    quint8 category = 0;

    // A moment as the events carry it: UTC, invalid for none; and back.
    static QDateTime timeOf(std::optional<qint64> ms)
    {
        return ms ? QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC) : QDateTime();
    }
    static std::optional<qint64> msOf(const QDateTime &time)
    {
        return time.isValid() ? std::optional<qint64>(time.toMSecsSinceEpoch()) : std::nullopt;
    }
};
