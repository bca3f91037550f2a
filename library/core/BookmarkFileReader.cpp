// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BookmarkFileReader.h"

#include "BookmarkLineParser.h"
#include "FileIO.h"
#include "LineReader.h"
#include "TextDecoding.h"

#include <QFile>

namespace BookmarkFileReader {

bool readBookmarkFile(const QString &fileName, BookmarkSink &sink, const Progress &progress)
{
    // A device or a pipe could be endless: only regular files are read.
    QFile file;
    if (fileName.isEmpty() || !FileIO::openRegularFile(fileName, &file, nullptr))
        return false;
    const qint64 total = file.size();
    BookmarkLineParser parser(sink);
    LineReader lines(file);
    lines.setMaxLineBytes(maxLineBytes);
    if (progress)
        lines.setPieceHandler([&](qint64 done) { progress(done, qMax(total, done)); });
    bool first = true;
    // A read error ends the file like its end does: what was read is kept.
    lines.readLines([&](QByteArrayView line) {
        if (first) {
            line = TextDecoding::withoutUtf8Bom(line);
            first = false;
        }
        parser.parseBookmarkLine(TextDecoding::decodeLine(line));
    });
    return true;
}

}  // namespace BookmarkFileReader
