// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NetscapeBookmarkWriter.h"

#include "BookmarkEntry.h"
#include "HtmlEntities.h"
#include "PlainAsciiCopy.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// The most bytes one UTF-16 unit of a text becomes: "&quot;".
constexpr qsizetype maxBytesPerUnit = 6;

QByteArray escapedWholly(QStringView text)
{
    QString oneLine = text.toString();
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    return HtmlEntities::escape(oneLine).toUtf8();
}

char *writeEntity(char *out, const char *entity)
{
    const size_t length = std::strlen(entity);
    std::memcpy(out, entity, length);
    return out + length;
}

// Eight units of text at a time while all eight are ASCII that stands for
// itself (no line end, none of & < > " '), written as bytes at out; p and
// out are moved past what was written.
void copyPlainAscii(const char16_t *&p, const char16_t *end, char *&out)
{
#ifdef __SSE2__
    using PlainAsciiCopy::lanesOf;
    PlainAsciiCopy::copy(p, end, out, [](__m128i units) {
        const __m128i lineEnd = _mm_or_si128(lanesOf(units, u'\n'), lanesOf(units, u'\r'));
        const __m128i quotes = _mm_or_si128(lanesOf(units, u'"'), lanesOf(units, u'\''));
        const __m128i markup = _mm_or_si128(_mm_or_si128(lanesOf(units, u'&'), lanesOf(units, u'<')),
                                            lanesOf(units, u'>'));
        return _mm_or_si128(_mm_or_si128(lineEnd, quotes), markup);
    });
#else
    Q_UNUSED(p);
    Q_UNUSED(end);
    Q_UNUSED(out);
#endif
}

// One character of text (a unit, or the two of a surrogate pair) at out;
// false at a surrogate that is not one of a pair.
bool writeCharacter(const char16_t *&p, const char16_t *end, char *&out)
{
    const char16_t c = *p++;
    if (c < 0x80) {
        switch (c) {
        case u'&':
            out = writeEntity(out, "&amp;");
            break;
        case u'<':
            out = writeEntity(out, "&lt;");
            break;
        case u'>':
            out = writeEntity(out, "&gt;");
            break;
        case u'"':
            out = writeEntity(out, "&quot;");
            break;
        case u'\'':
            out = writeEntity(out, "&#39;");
            break;
        case u'\r':
        case u'\n':
            *out++ = ' ';
            break;
        default:
            *out++ = char(c);
        }
    } else if (c < 0x800) {
        *out++ = char(0xc0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3f));
    } else if (!QChar::isSurrogate(c)) {
        *out++ = char(0xe0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3f));
        *out++ = char(0x80 | (c & 0x3f));
    } else if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
        const char32_t code = QChar::surrogateToUcs4(c, *p++);
        *out++ = char(0xf0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3f));
        *out++ = char(0x80 | ((code >> 6) & 0x3f));
        *out++ = char(0x80 | (code & 0x3f));
    } else {
        return false;
    }
    return true;
}

// The text in UTF-8 at out, each line end a blank and & < > " ' as
// HtmlEntities::escape writes them. A text with a surrogate that is not one
// of a pair goes the long way, which writes it as the encoder does.
char *writeEscaped(char *out, QStringView text)
{
    char *const start = out;
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        copyPlainAscii(p, end, out);
        // The next eight units (or the rest) one by one.
        for (const char16_t *const stop = std::min(p + 8, end); p < stop;) {
            if (!writeCharacter(p, end, out)) {
                const QByteArray bytes = escapedWholly(text);
                std::memcpy(start, bytes.constData(), size_t(bytes.size()));
                return start + bytes.size();
            }
        }
    }
    return out;
}

}  // namespace

NetscapeBookmarkWriter::NetscapeBookmarkWriter()
    : NetscapeBookmarkWriter(PieceWriter())
{ }

NetscapeBookmarkWriter::NetscapeBookmarkWriter(PieceWriter write)
    : m_write(std::move(write))
{
    if (m_write)
        m_text.reserve(pieceBytes + pieceBytes / 4);
    append("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
           "<!-- This is an automatically generated file.\n"
           "     It will be read and overwritten.\n"
           "     DO NOT EDIT! -->\n"
           "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
           "<TITLE>Bookmarks</TITLE>\n"
           "<H1>Bookmarks</H1>\n"
           "<DL><p>\n");
}

void NetscapeBookmarkWriter::beginFolder(QStringView name, qint64 addDate)
{
    endFolder();
    char *p = room(40 + maxBytesPerUnit * name.size());
    p = writeEntity(p, "    <DT><H3");
    if (addDate > 0) {
        p = writeEntity(p, " ADD_DATE=\"");
        p = std::to_chars(p, p + 20, addDate).ptr;
        *p++ = '"';
    }
    *p++ = '>';
    p = writeEscaped(p, name);
    wrote(writeEntity(p, "</H3>\n    <DL><p>\n"));
    m_inFolder = true;
}

void NetscapeBookmarkWriter::endFolder()
{
    if (!m_inFolder)
        return;
    append("    </DL><p>\n");
    m_inFolder = false;
}

void NetscapeBookmarkWriter::addLink(const BookmarkEntry &entry)
{
    addLink(entry.title, entry.url, BookmarkAttributes::attributesOf(entry));
}

void NetscapeBookmarkWriter::addLink(QStringView title, QStringView url,
                                     const BookmarkAttributes::LinkAttributes &attributes)
{
    char *p = room(40 + maxBytesPerUnit * (url.size() + title.size()) + BookmarkAttributes::maxLinkAttributesLength);
    p = writeEntity(p, m_inFolder ? "        <DT><A HREF=\"" : "    <DT><A HREF=\"");
    p = writeEscaped(p, url);
    *p++ = '"';
    p = BookmarkAttributes::writeLinkAttributes(p, attributes);
    *p++ = '>';
    p = writeEscaped(p, title);
    wrote(writeEntity(p, "</A>\n"));
}

QByteArray NetscapeBookmarkWriter::finish()
{
    endFolder();
    append("</DL><p>\n");
    if (m_write)
        flush();
    return m_write ? QByteArray() : std::move(m_text);
}

// At least size bytes of room at the end of the text, which wrote() ends.
char *NetscapeBookmarkWriter::room(qsizetype size)
{
    if (m_write && m_text.size() + size > m_text.capacity())
        flush();
    const qsizetype start = m_text.size();
    m_text.resize(start + size);
    return m_text.data() + start;
}

void NetscapeBookmarkWriter::wrote(const char *end)
{
    m_text.truncate(end - m_text.constData());
    if (m_write && m_text.size() >= pieceBytes)
        flush();
}

void NetscapeBookmarkWriter::append(QByteArrayView text)
{
    char *p = room(text.size());
    std::memcpy(p, text.data(), size_t(text.size()));
    wrote(p + text.size());
}

void NetscapeBookmarkWriter::flush()
{
    if (m_ok && !m_text.isEmpty())
        m_ok = m_write(m_text);
    m_text.truncate(0);
}
