// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BookmarkAttributes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>
#include <functional>

struct BookmarkEntry;

// Writes a Netscape bookmark file as today's browsers import it: UTF-8, LF
// line ends, four blanks of indentation per level. Folders and links are
// written in the order given; titles, names and addresses are escaped, and a
// line end inside one becomes a blank. A folder's date is a Unix time in
// seconds (0 leaves it out); a link's dates and counts are written as
// BookmarkAttributes describes.
class NetscapeBookmarkWriter
{
public:
    // Takes each piece of the file in turn; false when it could not be written.
    using PieceWriter = std::function<bool(QByteArrayView piece)>;
    static constexpr qsizetype pieceBytes = qsizetype(1) << 20;

    // The whole file is kept, for finish() to return.
    NetscapeBookmarkWriter();
    // The file is handed to write in pieces of about pieceBytes, so that it
    // is never held whole.
    explicit NetscapeBookmarkWriter(PieceWriter write);

    // A folder at the top level; links until endFolder() go into it.
    void beginFolder(QStringView name, qint64 addDate = 0);
    void endFolder();
    void addLink(const BookmarkEntry &entry);
    void addLink(QStringView title, QStringView url, const BookmarkAttributes::LinkAttributes &attributes);

    // Ends the file (any open folder closed) and returns it whole; empty when
    // it was handed on in pieces.
    QByteArray finish();
    // False once a piece could not be written.
    bool ok() const { return m_ok; }

private:
    char *room(qsizetype size);
    void wrote(const char *end);
    void append(QByteArrayView text);
    void flush();

    PieceWriter m_write;
    QByteArray m_text;
    bool m_inFolder = false;
    bool m_ok = true;
};
