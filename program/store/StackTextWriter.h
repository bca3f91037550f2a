// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FileIO.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringEncoder>

class URLData;

// Stack-file text made line by line into a buffer that is handed on in
// pieces of about pieceBytes, so the whole text is never held at once:
// UTF-8, CR LF line ends, each field on its own line-safe (a separator or a
// line break inside a field becomes a blank).
class StackTextWriter
{
public:
    static constexpr qsizetype pieceBytes = qsizetype(1) << 20;

    explicit StackTextWriter(const FileIO::PieceWriter &write);

    void appendEntryLine(const URLData &entry);
    void appendGroupLine(const QString &name);
    // Bytes as they are (whole lines of a file that are kept): a long run is
    // handed on directly, after what the buffer holds.
    void appendBytes(QByteArrayView bytes);

    // Hands on what is left; false when a write has failed.
    bool finish();

    bool ok() const { return m_ok; }

private:
    // At least size bytes of room at the end of the buffer.
    char *room(qsizetype size);
    void endLine(char *p);
    void flush();

    const FileIO::PieceWriter &m_write;
    QStringEncoder m_encoder {QStringEncoder::Utf8};
    QByteArray m_buffer;
    bool m_ok = true;
    bool m_atFileStart = true;
};
