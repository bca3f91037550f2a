// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineReader.h"

#include <QIODevice>
#include <cstring>

LineReader::LineReader(QIODevice &device)
    : m_device(device)
{ }

bool LineReader::readLines(const LineHandler &onLine)
{
    Step step;
    do
        step = readPiece(onLine);
    while (step == Step::More);
    return step == Step::End;
}

LineReader::Step LineReader::readPiece(const LineHandler &onLine)
{
    if (m_piece.isEmpty())
        m_piece = QByteArray(pieceBytes, Qt::Uninitialized);
    const qint64 got = m_device.read(m_piece.data(), pieceBytes);
    if (got < 0)
        return Step::Failed;
    if (got > 0) {
        feed(QByteArrayView(m_piece.constData(), got), onLine);
        m_done += got;
        if (m_onPiece)
            m_onPiece(m_done);
        return Step::More;
    }
    if (!m_skipping && !m_pending.isEmpty())
        onLine(m_pending);
    m_pending.clear();
    m_skipping = false;
    m_piece.clear();
    return Step::End;
}

void LineReader::feed(QByteArrayView piece, const LineHandler &onLine)
{
    while (!piece.isEmpty()) {
        const char *newline = static_cast<const char *>(std::memchr(piece.data(), '\n', size_t(piece.size())));
        if (!newline) {
            keep(piece);
            return;
        }
        const qsizetype length = newline - piece.data();
        if (m_pending.isEmpty() && !m_skipping) {
            onLine(piece.first(length));
        } else {
            keep(piece.first(length));
            if (!m_skipping)
                onLine(m_pending);
            m_pending.truncate(0);
            m_skipping = false;
        }
        piece = piece.sliced(length + 1);
    }
}

void LineReader::keep(QByteArrayView part)
{
    if (m_skipping)
        return;
    if (m_maxLineBytes > 0 && m_pending.size() + part.size() > m_maxLineBytes) {
        m_pending.clear();
        m_skipping = true;
        return;
    }
    m_pending.append(part);
}
