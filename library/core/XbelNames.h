// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The names of XBEL, the XML Bookmark Exchange Language of the desktops'
// bookmark editors, that Tessaly reads and writes. What XBEL has no place
// for (visits, rating, category) goes into each bookmark's
// <info><metadata owner="https://orvane.org/tessaly"> as child elements:
//   <visits>3</visits> <rating>2</rating> <category>0</category>
// and, for a title, address or folder name that XML cannot hold as it is (a
// control character, a lone surrogate), <title> or <href> with the exact
// text as base64 of its UTF-16 (little-endian) code units. Editors keep
// metadata of owners they do not know and pass over its elements.
namespace XbelNames {

inline const QString owner = QStringLiteral("https://orvane.org/tessaly");

inline const QString xbel = QStringLiteral("xbel");
inline const QString folder = QStringLiteral("folder");
inline const QString bookmark = QStringLiteral("bookmark");
inline const QString title = QStringLiteral("title");
inline const QString info = QStringLiteral("info");
inline const QString metadata = QStringLiteral("metadata");
inline const QString ownerAttribute = QStringLiteral("owner");
inline const QString href = QStringLiteral("href");
inline const QString added = QStringLiteral("added");
inline const QString visited = QStringLiteral("visited");

// Elements of Tessaly's metadata.
inline const QString visits = QStringLiteral("visits");
inline const QString rating = QStringLiteral("rating");
inline const QString category = QStringLiteral("category");

// The group that bookmarks outside every folder go to.
inline const QString rootGroup = QStringLiteral("XBEL: ROOT");

}  // namespace XbelNames
