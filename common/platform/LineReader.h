// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <functional>

class QIODevice;

// Reads a device to its end in pieces of a fixed size and hands over its
// lines one by one, so that a file of any size is read in little memory.
// A line ends at LF, which is removed; a CR before it is the caller's. The
// last line counts whether or not it ends with LF. A line may span pieces;
// one longer than the limit (when one is set) is skipped whole.
class LineReader
{
public:
    static constexpr qint64 pieceBytes = qint64(1) << 20;

    using LineHandler = std::function<void(QByteArrayView line)>;
    // Told after each piece how many bytes have been read so far.
    using PieceHandler = std::function<void(qint64 done)>;

    explicit LineReader(QIODevice &device);

    // Lines longer than this many bytes are skipped; 0 (the default): no limit.
    void setMaxLineBytes(qsizetype bytes) { m_maxLineBytes = bytes; }
    void setPieceHandler(PieceHandler handler) { m_onPiece = std::move(handler); }

    // Reads to the end of the device; false when a read failed (the lines
    // before the failure have been handed over).
    bool readLines(const LineHandler &onLine);

    // The same a piece at a time, for a caller that does other work between
    // pieces: hands over the lines that the next piece ends (at the device's
    // end also the last line) and says whether more is to come.
    enum class Step { More, End, Failed };
    Step readPiece(const LineHandler &onLine);

private:
    void feed(QByteArrayView piece, const LineHandler &onLine);
    void keep(QByteArrayView part);

    QIODevice &m_device;
    qsizetype m_maxLineBytes = 0;
    PieceHandler m_onPiece;
    QByteArray m_piece;
    qint64 m_done = 0;
    QByteArray m_pending;  // the start of a line that goes on in the next piece
    bool m_skipping = false;
};
