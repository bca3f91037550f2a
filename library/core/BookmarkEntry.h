// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// A link of a bookmark file with what the file says of it (see
// BookmarkAttributes for how its tag holds them).
struct BookmarkEntry
{
    QString title;
    QString url;
    QDateTime added;      // invalid: the file gives none
    QDateTime lastVisit;  // invalid: never visited, or not known
    qint32 visits = 0;
    quint8 rating = 0;
    quint8 category = 0;
};
