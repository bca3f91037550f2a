// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelWriter.h"

#include "DayCount.h"
#include "PlainAsciiCopy.h"
#include "URLBlock.h"

#include <QDateTime>
#include <QtEndian>
#include <charconv>
#include <cstring>

// The element and attribute names below are XbelNames' names, written as bytes.

namespace {

// The most bytes one UTF-16 unit of a text takes, escaped ("&quot;") and
// once more as base64 in the metadata (two bytes, four characters for three).
constexpr qsizetype maxBytesPerUnit = 6 + 3;
// More than a bookmark's markup, dates and numbers take besides its texts.
constexpr qsizetype markupBytes = 1024;

char *put(char *out, const char *text)
{
    const size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

char *putDigits(char *out, int value, int digits)
{
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
    return out + digits;
}

// Eight units at a time while all eight are printable ASCII that stands for
// itself (none of & < > "), written as bytes at out; p and out are moved past
// what was written.
void copyPlainAscii(const char16_t *&p, const char16_t *end, char *&out)
{
#ifdef __SSE2__
    using PlainAsciiCopy::lanesOf;
    PlainAsciiCopy::copy(p, end, out, [](__m128i units) {
        // Below the blank are control characters.
        const __m128i control = _mm_cmplt_epi16(units, _mm_set1_epi16(short(u' ')));
        return _mm_or_si128(_mm_or_si128(control, lanesOf(units, u'"')),
                            _mm_or_si128(_mm_or_si128(lanesOf(units, u'&'), lanesOf(units, u'<')),
                                         lanesOf(units, u'>')));
    });
#else
    Q_UNUSED(p);
    Q_UNUSED(end);
    Q_UNUSED(out);
#endif
}

// One character (a unit, or the two of a surrogate pair) at out, escaped;
// false when XML cannot hold it, which is written as a blank.
bool writeCharacter(const char16_t *&p, const char16_t *end, char *&out)
{
    const char16_t c = *p++;
    if (c < 0x80) {
        switch (c) {
        case u'&':
            out = put(out, "&amp;");
            return true;
        case u'<':
            out = put(out, "&lt;");
            return true;
        case u'>':
            out = put(out, "&gt;");
            return true;
        case u'"':
            out = put(out, "&quot;");
            return true;
        default:
            // A control character: a line end would come back as another.
            *out++ = c < 0x20 ? ' ' : char(c);
            return c >= 0x20;
        }
    }
    if (c < 0x800) {
        *out++ = char(0xc0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3f));
    } else if (QChar::isSurrogate(c)) {
        if (!QChar::isHighSurrogate(c) || p == end || !QChar::isLowSurrogate(*p)) {
            *out++ = ' ';
            return false;
        }
        const char32_t code = QChar::surrogateToUcs4(c, *p++);
        *out++ = char(0xf0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3f));
        *out++ = char(0x80 | ((code >> 6) & 0x3f));
        *out++ = char(0x80 | (code & 0x3f));
    } else if (c >= 0xfffe) {
        *out++ = ' ';
        return false;
    } else {
        *out++ = char(0xe0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3f));
        *out++ = char(0x80 | (c & 0x3f));
    }
    return true;
}

// The text in UTF-8 at out, escaped; *held is false when a character had to
// become a blank.
char *writeEscaped(char *out, QStringView text, bool *held)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    *held = true;
    while (p < end) {
        copyPlainAscii(p, end, out);
        for (const char16_t *const stop = std::min(p + 8, end); p < stop;)
            *held = writeCharacter(p, end, out) && *held;
    }
    return out;
}

// A moment as QDateTime's ISO form with milliseconds in UTC:
// YYYY-MM-DDTHH:MM:SS.mmmZ.
char *writeUtc(char *out, qint64 ms)
{
    constexpr qint64 msPerDay = 86400000;
    qint64 days = ms / msPerDay;
    qint64 msOfDay = ms % msPerDay;
    if (msOfDay < 0) {
        msOfDay += msPerDay;
        --days;
    }
    // The civil date of a day count since 1970 (proleptic Gregorian, in eras of 400 years).
    const qint64 shifted = days + 719468;
    const qint64 era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const qint64 dayOfEra = shifted - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const qint64 year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year < 1 || year > 9999)  // QDateTime's own form (or none) beyond four digits
        return put(
            out,
            QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs).toLatin1().constData());
    out = putDigits(out, int(year), 4);
    *out++ = '-';
    out = putDigits(out, month, 2);
    *out++ = '-';
    out = putDigits(out, day, 2);
    *out++ = 'T';
    const int msInDay = int(msOfDay);
    out = putDigits(out, msInDay / 3600000, 2);
    *out++ = ':';
    out = putDigits(out, msInDay / 60000 % 60, 2);
    *out++ = ':';
    out = putDigits(out, msInDay / 1000 % 60, 2);
    *out++ = '.';
    out = putDigits(out, msInDay % 1000, 3);
    *out++ = 'Z';
    return out;
}

char *writeNumber(char *out, int depth, const char *name, qint64 value)
{
    if (value == 0)
        return out;
    *out++ = '\n';
    std::memset(out, ' ', size_t(depth));
    out += depth;
    *out++ = '<';
    out = put(out, name);
    *out++ = '>';
    out = std::to_chars(out, out + 20, value).ptr;
    out = put(out, "</");
    out = put(out, name);
    *out++ = '>';
    return out;
}

}  // namespace

XbelWriter::XbelWriter(const FileIO::PieceWriter &write)
    : m_write(write)
{
    m_text.reserve(pieceBytes + pieceBytes / 4);
    wrote(put(room(512),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML\" "
              "\"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
              "<xbel version=\"1.0\""));
}

void XbelWriter::bookmark(const URLData &entry)
{
    const int depth = m_depth;
    char *p = room(markupBytes + maxBytesPerUnit * (entry.url.size() + entry.Name.size()));
    p = put(writeIndent(p, depth), "<bookmark href=\"");
    bool urlHeld = true;
    p = writeEscaped(p, entry.url, &urlHeld);
    *p++ = '"';
    p = writeDate(p, " added=\"", entry.Created);
    p = writeDate(p, " visited=\"", entry.LastAccesed);
    *p++ = '>';
    bool titleHeld = true;
    p = writeTitle(p, entry.Name, depth + 1, &titleHeld);
    if (entry.Visited != 0 || entry.Rated != 0 || entry.Catagory != 0 || !titleHeld || !urlHeld) {
        p = beginMetadata(p, depth + 1);
        p = writeNumber(p, depth + 3, "visits", entry.Visited);
        p = writeNumber(p, depth + 3, "rating", entry.Rated);
        p = writeNumber(p, depth + 3, "category", entry.Catagory);
        if (!titleHeld)
            p = writeExact(p, "title", entry.Name, depth + 3);
        if (!urlHeld)
            p = writeExact(p, "href", entry.url, depth + 3);
        p = endMetadata(p, depth + 1);
    }
    wrote(put(writeIndent(p, depth), "</bookmark>"));
}

void XbelWriter::beginFolder(const QString &name)
{
    char *p = room(markupBytes + maxBytesPerUnit * name.size());
    p = put(writeIndent(p, 1), "<folder>");
    bool held = true;
    p = writeTitle(p, name, 2, &held);
    if (!held) {
        p = beginMetadata(p, 2);
        p = writeExact(p, "title", name, 4);
        p = endMetadata(p, 2);
    }
    wrote(p);
    m_depth = 2;
}

void XbelWriter::endFolder()
{
    wrote(put(writeIndent(room(16), 1), "</folder>"));
    m_depth = 1;
}

bool XbelWriter::finish()
{
    wrote(put(room(16), m_empty ? "/>\n" : "\n</xbel>\n"));
    flush();
    return m_ok;
}

// At least size bytes of room at the end of the text, which wrote() ends.
char *XbelWriter::room(qsizetype size)
{
    if (!m_text.isEmpty() && m_text.size() + size > m_text.capacity())
        flush();
    const qsizetype start = m_text.size();
    m_text.resize(start + size);
    return m_text.data() + start;
}

void XbelWriter::wrote(const char *end)
{
    m_text.truncate(end - m_text.constData());
    if (m_text.size() >= pieceBytes)
        flush();
}

void XbelWriter::flush()
{
    if (m_ok && !m_text.isEmpty())
        m_ok = m_write(m_text);
    m_text.truncate(0);
}

// A line end and depth blanks; before the first element inside <xbel>, the
// end of its start tag.
char *XbelWriter::writeIndent(char *out, int depth)
{
    if (m_empty) {
        *out++ = '>';
        m_empty = false;
    }
    *out++ = '\n';
    std::memset(out, ' ', size_t(depth));
    return out + depth;
}

char *XbelWriter::writeTitle(char *out, QStringView text, int depth, bool *held)
{
    out = put(writeIndent(out, depth), "<title>");
    out = writeEscaped(out, text, held);
    return put(out, "</title>");
}

// A date attribute ( name="...), left out for no date.
char *XbelWriter::writeDate(char *out, const char *name, double dayCount)
{
    if (dayCount == 0)
        return out;
    std::optional<qint64> ms = m_days.msSinceEpoch(dayCount);
    if (!ms) {
        // A local time that a change of the clocks skips: as the date converts alone.
        const QDateTime alone = DayCount::toDateTimeMs(dayCount);
        if (!alone.isValid())
            return out;
        ms = alone.toMSecsSinceEpoch();
    }
    out = writeUtc(put(out, name), *ms);
    *out++ = '"';
    return out;
}

char *XbelWriter::beginMetadata(char *out, int depth)
{
    out = put(writeIndent(out, depth), "<info>");
    return put(writeIndent(out, depth + 1), "<metadata owner=\"https://orvane.org/tessaly\">");
}

char *XbelWriter::endMetadata(char *out, int depth)
{
    out = put(writeIndent(out, depth + 1), "</metadata>");
    return put(writeIndent(out, depth), "</info>");
}

// The exact text, base64 of its UTF-16 code units (little-endian).
char *XbelWriter::writeExact(char *out, const char *name, const QString &text, int depth)
{
    QByteArray units(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text[i].unicode(), units.data() + 2 * i);
    const QByteArray base64 = units.toBase64();
    out = put(writeIndent(out, depth), "<");
    out = put(out, name);
    *out++ = '>';
    std::memcpy(out, base64.constData(), size_t(base64.size()));
    out = put(out + base64.size(), "</");
    out = put(out, name);
    *out++ = '>';
    return out;
}
