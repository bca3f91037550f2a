#include "StackFile.h"

#include "FileIO.h"
#include "HexDate.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace StackFile {

namespace {

constexpr int entryFieldCount = 7;
constexpr char separatorByte = 0x05;

// A decimal integer with an optional sign; nothing when the text is not one
// or the value lies outside [min, max].
std::optional<qint64> readInteger(QStringView text, qint64 min, qint64 max)
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
            return utf8.decode(field);
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
        if (digits.isEmpty() || digits.size() > 18
            || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return readInteger(text(field), min, max);
        qint64 value = 0;
        for (const char c : digits)
            value = value * 10 + (c - '0');
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

template<typename Line> void parseLine(URLBlock &store, const Line &line, double now)
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
            store.NewCatagory(line.text(line.view.sliced(1)));
        return;
    }
    URLData *entry
        = store.urlDatas().Add(line.text(fields[1]), line.text(fields[0]), store.IDXList().groupCount() - 1);
    if (!entry)
        return;
    if (fieldCount == entryFieldCount) {
        readEntryDetails(*entry, line, fields, now);
    } else {
        entry->Created = now;
        entry->LastAccesed = 0.0;
    }
}

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

void appendEntryLine(QByteArray &out, QStringEncoder &encoder, const URLData &entry)
{
    const qsizetype start = out.size();
    out.resize(start + encoder.requiredSpace(entry.url.size()) + encoder.requiredSpace(entry.Name.size())
               + maxFixedLength);
    char *p = writeField(encoder, out.data() + start, entry.url);
    *p++ = separatorByte;
    p = writeField(encoder, p, entry.Name);
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
    *p++ = '\r';
    *p++ = '\n';
    out.truncate(p - out.constData());
}

void appendGroupLine(QByteArray &out, QStringEncoder &encoder, const QString &name)
{
    const qsizetype start = out.size();
    out.resize(start + 3 + encoder.requiredSpace(name.size()));
    char *p = out.data() + start;
    *p++ = '+';
    p = writeField(encoder, p, name);
    *p++ = '\r';
    *p++ = '\n';
    out.truncate(p - out.constData());
}

// Lines of the text, the last one counted whether or not it ends with a line break.
qsizetype lineCount(QByteArrayView text)
{
    qsizetype count = 1;
    for (const char *p = text.data(), *end = p + text.size();; ++count) {
        p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!p++)
            return count;
    }
}

}  // namespace

void parseStackLine(URLBlock &store, QStringView line, double now)
{
    parseLine(store, TextLine {line}, now);
}

bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error)
{
    if (merge)
        store.countChange();
    else
        store.clear();

    QByteArray contents;
    if (!FileIO::readFile(path, &contents, error))
        return false;

    QByteArrayView rest = TextDecoding::withoutUtf8Bom(contents);
    // At most one entry a line: room for them all up front.
    store.urlDatas().reserve(store.urlDatas().Count() + lineCount(rest));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    while (!rest.isEmpty()) {
        const void *lineEnd = std::memchr(rest.data(), '\n', size_t(rest.size()));
        const qsizetype end = lineEnd ? static_cast<const char *>(lineEnd) - rest.data() : -1;
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        parseLine(store, ByteLine(line, utf8), now);
    }
    return true;
}

QByteArray stackFileText(const URLBlock &store)
{
    const GroupTable &groups = store.IDXList();
    const URLDatas &entries = store.urlDatas();

    // Entries by group, in insertion order; the last bucket holds entries of no group.
    std::vector<std::vector<const URLData *>> byGroup(size_t(groups.groupCount()) + 1);
    for (const URLData &entry : entries) {
        const int group = groups.isGroup(entry.Owner) ? entry.Owner : groups.groupCount();
        byGroup[size_t(group)].push_back(&entry);
    }

    QByteArray out;
    out.reserve(entries.Count() * 160 + groups.groupCount() * 32);
    QStringEncoder encoder(QStringEncoder::Utf8);
    for (const URLData *entry : byGroup.back())
        appendEntryLine(out, encoder, *entry);
    for (int i = 0; i < groups.groupCount(); ++i) {
        appendGroupLine(out, encoder, groups.at(i).name);
        for (const URLData *entry : byGroup[size_t(i)])
            appendEntryLine(out, encoder, *entry);
    }
    return out;
}

bool saveStackFile(URLBlock &store, const QString &path, QString *error)
{
    if (!FileIO::saveFile(path, stackFileText(store), error))
        return false;
    store.resetChangeCount();
    return true;
}

bool saveStackFileWithBackup(URLBlock &store, const QString &path, const QString &backupPath, QString *error)
{
    const auto makeBackup = [&](QString *backupError) {
        return !QFileInfo::exists(path) || FileIO::backupFile(path, backupPath, backupError);
    };
    if (!FileIO::saveFile(path, stackFileText(store), error, makeBackup))
        return false;
    store.resetChangeCount();
    return true;
}

}  // namespace StackFile
