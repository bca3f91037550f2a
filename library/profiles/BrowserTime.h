// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QtGlobal>

// The browsers' time stamps as moments (UTC). Both count microseconds:
// Firefox from 1 January 1970, Chromium from 1 January 1601 (as Windows
// does). 0 stands for "no time" in both; a Firefox time before 1970 is
// negative. The moment keeps the milliseconds, rounded down.
namespace BrowserTime {

// Microseconds from 1601 to 1970.
constexpr qint64 windowsToUnixMicroseconds = Q_INT64_C(11644473600000000);

// Invalid for 0.
QDateTime fromUnixMicroseconds(qint64 microseconds);
// Invalid for 0 and below.
QDateTime fromWindowsMicroseconds(qint64 microseconds);

}  // namespace BrowserTime
