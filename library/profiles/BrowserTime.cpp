// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserTime.h"

namespace {

// Milliseconds, rounded towards the past also before 1970.
qint64 floorMilliseconds(qint64 microseconds)
{
    return microseconds / 1000 - (microseconds % 1000 < 0 ? 1 : 0);
}

}  // namespace

namespace BrowserTime {

QDateTime fromUnixMicroseconds(qint64 microseconds)
{
    if (microseconds == 0)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(floorMilliseconds(microseconds), Qt::UTC);
}

QDateTime fromWindowsMicroseconds(qint64 microseconds)
{
    if (microseconds <= 0)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(floorMilliseconds(microseconds - windowsToUnixMicroseconds), Qt::UTC);
}

}  // namespace BrowserTime
