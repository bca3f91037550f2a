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
    bool first = true;
    const auto onLine = [&](QByteArrayView line) {
        if (first) {
            line = TextDecoding::withoutUtf8Bom(line);
            first = false;
        }
        parser.parseBookmarkLine(TextDecoding::decodeLine(line));
    };
    // A read error ends the file like its end does: what was read is kept.
    LineReader::Step step;
    do {
        step = lines.readPiece(onLine);
        if (step != LineReader::Step::Failed && progress && !progress(file.pos(), qMax(total, file.pos())))
            return false;
    } while (step == LineReader::Step::More);
    return true;
}

}  // namespace BookmarkFileReader
