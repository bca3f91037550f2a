// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackTextWriter.h"

#include "HexDate.h"
#include "TextDecoding.h"
#include "URLData.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

constexpr char separatorByte = 0x05;

// Field text as written, in UTF-8, at out; returns the end. A separator or
// line break inside a field would break the line, so each becomes a blank.
// Each field is encoded on its own, as if by a fresh encoder.
char *writeField(QStringEncoder &encoder, char *out, QStringView text)
{
    char *const end = encoder.appendToBuffer(out, text);
    encoder.resetState();
    const size_t length = size_t(end - out);
    if (!std::memchr(out, separatorByte, length) && !std::memchr(out, '\r', length)
        && !std::memchr(out, '\n', length))
        return end;
    for (char *p = out; p < end; ++p) {
        if (*p == separatorByte || *p == '\r' || *p == '\n')
            *p = ' ';
    }
    return end;
}

char *writeNumber(char *out, int value)
{
    return std::to_chars(out, out + 11, value).ptr;
}

// The fixed parts of an entry line at most: two dates, three numbers, six
// separators and the line end.
constexpr qsizetype maxFixedLength = 2 * 9 + 3 * 11 + 6 + 2;

// Runs of kept bytes shorter than this are copied into the buffer; longer
// ones are handed on as they are.
constexpr qsizetype directBytes = qsizetype(64) << 10;

}  // namespace

StackTextWriter::StackTextWriter(const FileIO::PieceWriter &write)
    : m_write(write)
{
    m_buffer.reserve(pieceBytes + pieceBytes / 4);
}

void StackTextWriter::appendEntryLine(const URLData &entry)
{
    // A reader drops a byte-order mark at the start of each line, as decoding
    // line by line does, and one more at the start of the file: an address
    // that begins with one is written with as many more, and reads back whole.
    const int marks = entry.url.startsWith(QChar(0xFEFF)) ? (m_atFileStart ? 2 : 1) : 0;
    m_atFileStart = false;
    char *p = room(3 * marks + m_encoder.requiredSpace(entry.url.size()) + m_encoder.requiredSpace(entry.Name.size())
                   + maxFixedLength);
    for (int i = 0; i < marks; ++i)
        p = std::copy_n(TextDecoding::utf8Bom.data(), TextDecoding::utf8Bom.size(), p);
    p = writeField(m_encoder, p, entry.url);
    *p++ = separatorByte;
    p = writeField(m_encoder, p, entry.Name);
    *p++ = separatorByte;
    p = writeHexDate(p, entry.LastAccesed);
    *p++ = separatorByte;
    p = writeHexDate(p, entry.Created);
    *p++ = separatorByte;
    p = writeNumber(p, entry.Visited);
    *p++ = separatorByte;
    p = writeNumber(p, entry.Catagory);
    *p++ = separatorByte;
    p = writeNumber(p, entry.Rated);
    endLine(p);
}

void StackTextWriter::appendGroupLine(const QString &name)
{
    m_atFileStart = false;
    char *p = room(3 + m_encoder.requiredSpace(name.size()));
    *p++ = '+';
    p = writeField(m_encoder, p, name);
    endLine(p);
}

void StackTextWriter::appendBytes(QByteArrayView bytes)
{
    m_atFileStart = m_atFileStart && bytes.isEmpty();
    if (bytes.size() < directBytes) {
        std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size()));
        if (m_buffer.size() >= pieceBytes)
            flush();
        return;
    }
    flush();
    if (m_ok)
        m_ok = m_write(bytes);
}

bool StackTextWriter::finish()
{
    flush();
    return m_ok;
}

char *StackTextWriter::room(qsizetype size)
{
    if (m_buffer.size() + size > m_buffer.capacity())
        flush();
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + size);
    return m_buffer.data() + start;
}

void StackTextWriter::endLine(char *p)
{
    *p++ = '\r';
    *p++ = '\n';
    m_buffer.truncate(p - m_buffer.constData());
    if (m_buffer.size() >= pieceBytes)
        flush();
}

void StackTextWriter::flush()
{
    if (m_ok && !m_buffer.isEmpty())
        m_ok = m_write(m_buffer);
    m_buffer.truncate(0);
}
