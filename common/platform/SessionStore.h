// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The page a running Firefox shows, read from its session store
// (<profile>/sessionstore-backups/recovery.jsonlz4: "mozLz40\0", the
// uncompressed size as 4 bytes little-endian, one LZ4 block of JSON).
namespace SessionStore {

struct Page
{
    QString url;
    QString title;
};

// The largest uncompressed size believed; a larger claim is refused.
constexpr qint64 largestSize = 64 * 1024 * 1024;

// The JSON text of a "mozLz40" file's contents; nullopt with an error text
// for anything else (wrong magic, truncated, a size beyond largestSize, a
// block that does not decode to exactly the claimed size).
std::optional<QByteArray> decompress(const QByteArray &fileContents, QString *error);

// The current page of the session's JSON: windows[selectedWindow-1]
// .tabs[selected-1].entries[index-1] (the last window when selectedWindow is
// 0); nullopt with an error text when the path is missing.
std::optional<Page> currentPage(const QByteArray &json, QString *error);

// Both steps on the profile's recovery.jsonlz4.
std::optional<Page> readCurrentPage(const QString &profileFolder, QString *error);

} // namespace SessionStore
