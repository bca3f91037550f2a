// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <functional>

class BookmarkSink;

// Reads an XBEL file (see XbelNames) into groups as the bookmark-file merge
// makes them: each folder of the top level opens a group of its title, and
// the bookmarks of its subfolders, at any depth, join it; bookmarks outside
// every folder go to one group "XBEL: ROOT". A bookmark's added and visited
// attributes (ISO 8601; without an offset, local time) become its creation
// and last visit, and Tessaly's own metadata its visits, rating and
// category. Separators, aliases and descriptions are passed over.
//
// The whole file is read and checked before anything is reported: a file
// that is not XBEL, is damaged or cut short, holds an entity that expands
// beyond QXmlStreamReader's limit, nests elements deeper than maxDepth or is
// larger than maxFileBytes reports nothing and gives an error text.
namespace XbelReader {

constexpr int maxDepth = 256;
constexpr qint64 maxFileBytes = qint64(512) << 20;

// Told how many bytes of the file have been read, of how many.
using Progress = std::function<void(qint64 done, qint64 total)>;

bool readXbelFile(const QString &fileName, BookmarkSink &sink, QString *error, const Progress &progress = {});

// For the tests, which compare the two readers: data read whole by one of
// them. The fast reader declines (false, error left empty) what it does not
// check completely; QXmlStreamReader reads every file and refuses with a
// reason what is not well-formed.
enum class Reader { Fast, Stream };
bool readXbelData(QByteArrayView data, BookmarkSink &sink, QString *error, Reader reader);

// The fast reader, reading from handoverAt (> 0) on in a second thread
// as it does in a large file; handedOver tells whether it did (it does only
// at the start tag of a folder of the top level). False when it declines.
bool readXbelDataInTwo(QByteArrayView data, qint64 handoverAt, BookmarkSink &sink, bool *handedOver);

// How many files readXbelFile has read with the fast reader in this
// process, and how many of them in two threads.
int fastReads();
int twoThreadReads();

}  // namespace XbelReader
