// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FileIO.h"
#include "LocalDays.h"

#include <QByteArray>
#include <QString>

class URLData;

// Writes the bytes of an XBEL file (see XbelNames) itself, UTF-8, one blank
// of indentation per level, handed on in pieces of about a mebibyte. Texts
// are escaped as XML needs (& < > "); a character that XML 1.0 cannot hold
// (a control character, a lone surrogate, U+FFFE or U+FFFF) is written as a
// blank, and the exact text goes into Tessaly's metadata as base64 of its
// UTF-16 code units. Dates are written in UTC to the millisecond.
class XbelWriter
{
public:
    static constexpr qsizetype pieceBytes = qsizetype(1) << 20;

    explicit XbelWriter(const FileIO::PieceWriter &write);

    // A bookmark of the top level, or of the open folder.
    void bookmark(const URLData &entry);
    // A folder of the top level; bookmarks until endFolder() go into it.
    void beginFolder(const QString &name);
    void endFolder();
    // Closes the file and hands on the rest; false once a piece could not be written.
    bool finish();

private:
    char *room(qsizetype size);
    void wrote(const char *end);
    void flush();
    char *writeIndent(char *out, int depth);
    char *writeTitle(char *out, QStringView text, int depth, bool *held);
    char *writeDate(char *out, const char *name, double dayCount);
    char *beginMetadata(char *out, int depth);
    char *endMetadata(char *out, int depth);
    char *writeExact(char *out, const char *name, const QString &text, int depth);

    FileIO::PieceWriter m_write;
    QByteArray m_text;
    LocalDays m_days;
    int m_depth = 1;      // of the next bookmark
    bool m_empty = true;  // nothing inside <xbel> yet
    bool m_ok = true;
};
