// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class BookmarkSink;

// Reads a Netscape bookmark file line by line (LF or CR LF) through
// BookmarkLineParser. Each line is UTF-8, or Windows-1252 when it is not
// valid UTF-8. The file is read in pieces, so a file of any size is read in
// little memory; a line longer than maxLineBytes is skipped whole.
namespace BookmarkFileReader {

constexpr qsizetype maxLineBytes = qsizetype(64) << 20;

// Told how many bytes of the file have been read, of how many, after each
// piece; false stops the reading.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// False when fileName is not a regular file that can be opened; then nothing
// is reported. Otherwise reads to the end of the file (or to the first read
// error) and returns true; false when progress stopped it, after what it
// had read was reported to the sink.
bool readBookmarkFile(const QString &fileName, BookmarkSink &sink, const Progress &progress = {});

}  // namespace BookmarkFileReader
