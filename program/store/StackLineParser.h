// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the stack-file reader takes one line apart: shared by the loader and by
// the commands that stream a file instead of loading it, so that both read
// every line alike. Internal to the store's stack-file code.

#include "HexDate.h"
#include "StackFile.h"
#include "TextDecoding.h"
#include "URLData.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringView>
#include <QVarLengthArray>
#include <cstring>
#include <limits>
#include <optional>

namespace StackFile::Parsing {

constexpr char separatorByte = 0x05;
constexpr int entryFieldCount = 7;

// A decimal integer with an optional sign; nothing when the text is not one
// or the value lies outside [min, max].
inline std::optional<qint64> readInteger(QStringView text, qint64 min, qint64 max)
{
    text = text.trimmed();
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

// A line given as text.
struct TextLine
{
    using View = QStringView;
    static constexpr char16_t separator = fieldSeparator.unicode();
    static constexpr char16_t groupMark = u'+';

    QStringView view;

    static QString text(QStringView field) { return field.toString(); }
    qsizetype findSeparator(qsizetype from) const { return view.indexOf(QChar(separator), from); }
    static double date(QStringView field) { return ConvertHexDate(field); }
    static std::optional<qint64> integer(QStringView field, qint64 min, qint64 max)
    {
        return readInteger(field, min, max);
    }
};

// A line of a file, as bytes: the fields are decoded one by one, each as the
// whole line reads (ASCII, UTF-8 when the line is valid UTF-8, Windows-1252
// otherwise), without decoding the line first. The separator is ASCII, so the
// fields are the same as those of the decoded line.
struct ByteLine
{
    using View = QByteArrayView;
    static constexpr char separator = separatorByte;
    static constexpr char groupMark = '+';
    enum Encoding { Ascii, Utf8, Windows1252 };

    QByteArrayView view;
    Encoding encoding = Ascii;
    // Keeps byte-order marks, which may stand inside a line; only one at the
    // line's start is dropped, as decoding the whole line would.
    QStringDecoder &utf8;

    ByteLine(QByteArrayView line, QStringDecoder &utf8Decoder)
        : view(line)
        , encoding(isAscii(line)                         ? Ascii
                       : TextDecoding::isValidUtf8(line) ? Utf8
                                                         : Windows1252)
        , utf8(utf8Decoder)
    {
        if (encoding == Utf8)
            view = TextDecoding::withoutUtf8Bom(view);
    }

    static bool isAscii(QByteArrayView bytes) { return QtPrivate::isAscii(QLatin1StringView(bytes)); }

    // The next separator at or after from; -1 when there is none.
    qsizetype findSeparator(qsizetype from) const
    {
        const void *found = std::memchr(view.data() + from, separator, size_t(view.size() - from));
        return found ? static_cast<const char *>(found) - view.data() : -1;
    }

    QString text(QByteArrayView field) const
    {
        switch (encoding) {
        case Ascii:
            return QString::fromLatin1(field);
        case Utf8:
            // QString::fromUtf8 passes runs of ASCII quickly but drops a mark
            // at the start of what it decodes, which inside a line is text.
            return field.startsWith(TextDecoding::utf8Bom) ? utf8.decode(field) : QString::fromUtf8(field);
        case Windows1252:
            break;
        }
        return TextDecoding::fromWindows1252(field);
    }

    // A byte that is not ASCII is no hex digit in any of the encodings, so the
    // bytes read as the decoded text does.
    static double date(QByteArrayView field) { return ConvertHexDate(field); }

    // Plain digits with an optional minus, as written, are read directly; any
    // other text as the decoded line would be.
    std::optional<qint64> integer(QByteArrayView field, qint64 min, qint64 max) const
    {
        const bool negative = field.startsWith('-');
        const QByteArrayView digits = negative ? field.sliced(1) : field;
        if (digits.isEmpty() || digits.size() > 18)
            return readInteger(text(field), min, max);
        qint64 value = 0;
        for (const char c : digits) {
            const unsigned digit = unsigned(uchar(c)) - '0';
            if (digit > 9)
                return readInteger(text(field), min, max);
            value = value * 10 + digit;
        }
        value = negative ? -value : value;
        if (value < min || value > max)
            return std::nullopt;
        return value;
    }
};

// Fields 3 to 7 of a full entry line. A field that does not convert ends the
// line: what was set before it stays.
template<typename Line>
void readEntryDetails(URLData &entry, const Line &line, const QVarLengthArray<typename Line::View, 8> &fields,
                      double now)
{
    entry.LastAccesed = line.date(fields[2]);
    entry.Created = line.date(fields[3]);
    if (entry.Created == 0.0) {
        entry.Created = now;
        entry.LastAccesed = 0.0;
    }
    const auto visited
        = line.integer(fields[4], std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!visited)
        return;
    entry.Visited = qint32(*visited);
    const auto catagory = line.integer(fields[5], 0, 255);
    if (!catagory)
        return;
    entry.Catagory = quint8(*catagory);
    const auto rated = line.integer(fields[6], 0, 255);
    if (!rated)
        return;
    entry.Rated = quint8(*rated);
}

// Parses one line (without its line end) as the reader takes it: a group
// line goes to sink.group(name), an entry line to sink.entry(title, url),
// which returns the entry whose other fields are then set (or null to drop
// it); anything else is skipped.
template<typename Line, typename Sink> void parseLine(const Line &line, double now, Sink &&sink)
{
    QVarLengthArray<typename Line::View, 8> fields;
    qsizetype fieldCount = 0;
    for (qsizetype start = 0;;) {
        const qsizetype end = line.findSeparator(start);
        if (fields.size() < 8)
            fields.append(line.view.sliced(start, (end < 0 ? line.view.size() : end) - start));
        ++fieldCount;
        if (end < 0)
            break;
        start = end + 1;
    }
    if (fieldCount <= 1) {
        if (line.view.startsWith(Line::groupMark))
            sink.group(line.text(line.view.sliced(1)));
        return;
    }
    URLData *entry = sink.entry(line.text(fields[1]), line.text(fields[0]));
    if (!entry)
        return;
    if (fieldCount == entryFieldCount) {
        readEntryDetails(*entry, line, fields, now);
    } else {
        entry->Created = now;
        entry->LastAccesed = 0.0;
    }
}

}  // namespace StackFile::Parsing
