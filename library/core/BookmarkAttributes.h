// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>
#include <optional>

struct BookmarkEntry;

// What the tag of a link says beside its address. Browsers write the dates:
// ADD_DATE and LAST_VISIT, Unix time in seconds. Tessaly's own export adds
// attributes of its own, which browsers pass over, so that reading its file
// back keeps every field of an entry:
//   TESSALY_VISITS, TESSALY_RATING, TESSALY_CATEGORY  (left out when 0)
//   TESSALY_ADD_MS, TESSALY_LAST_VISIT_MS  the dates in milliseconds, where
//       the whole seconds of ADD_DATE and LAST_VISIT do not hold them
namespace BookmarkAttributes {

// Reads the attributes of the tag that starts at tagStart ("<A ...>") into
// entry. A value that is not a number in its field's range is passed over.
// An exact date is taken only where it agrees with the browsers' date to the
// second (a file edited by another program keeps the date it was given).
void readLinkAttributes(QStringView line, qsizetype tagStart, BookmarkEntry &entry);

// What a link's tag is written with beside its address and title.
struct LinkAttributes
{
    std::optional<qint64> addedMs;  // milliseconds since 1970 (UTC); none: no date
    std::optional<qint64> lastVisitMs;
    qint32 visits = 0;
    quint8 rating = 0;
    quint8 category = 0;
};

LinkAttributes attributesOf(const BookmarkEntry &entry);

// The most bytes writeLinkAttributes writes.
constexpr qsizetype maxLinkAttributesLength = 320;

// The attributes of a link tag after HREF, each with a blank before it,
// written at out; returns the end of what was written.
char *writeLinkAttributes(char *out, const LinkAttributes &attributes);

}  // namespace BookmarkAttributes
