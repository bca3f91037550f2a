#include "StackFile.h"

#include "FileIO.h"
#include "FilePaths.h"
#include "HexDate.h"
#include "LineReader.h"
#include "StoreMerge.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>
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
            // QString::fromUtf8 passes runs of ASCII quickly but drops a mark
            // at the start of what it decodes, which inside a line is text.
            return field.startsWith("\xEF\xBB\xBF") ? utf8.decode(field) : QString::fromUtf8(field);
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

// Stack-file text made line by line into a buffer that is handed on in
// pieces of about pieceBytes, so the whole text is never held at once.
class StackTextWriter
{
public:
    static constexpr qsizetype pieceBytes = qsizetype(1) << 20;

    explicit StackTextWriter(const FileIO::PieceWriter &write)
        : m_write(write)
    {
        m_buffer.reserve(pieceBytes + pieceBytes / 4);
    }

    void appendEntryLine(const URLData &entry)
    {
        char *p = room(m_encoder.requiredSpace(entry.url.size()) + m_encoder.requiredSpace(entry.Name.size())
                       + maxFixedLength);
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

    void appendGroupLine(const QString &name)
    {
        char *p = room(3 + m_encoder.requiredSpace(name.size()));
        *p++ = '+';
        p = writeField(m_encoder, p, name);
        endLine(p);
    }

    // Hands on what is left; false when a write has failed.
    bool finish()
    {
        flush();
        return m_ok;
    }

    bool ok() const { return m_ok; }

private:
    // At least size bytes of room at the end of the buffer.
    char *room(qsizetype size)
    {
        if (m_buffer.size() + size > m_buffer.capacity())
            flush();
        const qsizetype start = m_buffer.size();
        m_buffer.resize(start + size);
        return m_buffer.data() + start;
    }

    void endLine(char *p)
    {
        *p++ = '\r';
        *p++ = '\n';
        m_buffer.truncate(p - m_buffer.constData());
        if (m_buffer.size() >= pieceBytes)
            flush();
    }

    void flush()
    {
        if (m_ok && !m_buffer.isEmpty())
            m_ok = m_write(m_buffer);
        m_buffer.truncate(0);
    }

    const FileIO::PieceWriter &m_write;
    QStringEncoder m_encoder {QStringEncoder::Utf8};
    QByteArray m_buffer;
    bool m_ok = true;
};

// The file's lines may not number more than one entry for each of this many
// bytes on average; room for that many entries is made before reading. A
// file of shorter lines only makes the store grow while it is read.
constexpr qint64 typicalLineBytes = 128;

// Takes back what a file that failed to read added to the store.
void takeBackAdded(URLBlock &store, qsizetype entryCount, int groupCount)
{
    URLDatas &entries = store.urlDatas();
    while (entries.Count() > entryCount)
        entries.Delete(entries.Count());
    while (store.IDXList().groupCount() > groupCount)
        store.removeGroup(store.IDXList().groupCount() - 1);
}

FileIO::ContentWriter stackFileContent(const URLBlock &store)
{
    return [&store](const FileIO::PieceWriter &write) { writeStackFileText(store, write); };
}

}  // namespace

void parseStackLine(URLBlock &store, QStringView line, double now)
{
    parseLine(store, TextLine {line}, now);
}

bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error)
{
    if (merge)
        return mergeStackFile(store, path, now, nullptr, error);
    store.clear();
    QFile file;
    if (!FileIO::openRegularFile(path, &file, error))
        return false;
    if (readStackFile(store, file, file.size(), now))
        return true;
    store.clear();
    FileIO::setReadError(path, file, error);
    return false;
}

bool mergeStackFile(URLBlock &store, const QString &path, double now, MergeCounts *counts, QString *error)
{
    store.countChange();
    URLBlock file;
    if (!loadStackFile(file, path, false, now, error))
        return false;
    StoreMerge merge(store);
    merge.mergeStore(file);
    if (counts)
        *counts = merge.counts();
    return true;
}

bool readStackFile(URLBlock &store, QIODevice &device, qint64 sizeHint, double now)
{
    PieceReader reader(store, device, sizeHint, now);
    LineReader::Step step;
    do
        step = reader.readPiece();
    while (step == LineReader::Step::More);
    return step == LineReader::Step::End;
}

PieceReader::PieceReader(URLBlock &store, QIODevice &device, qint64 sizeHint, double now)
    : m_store(store)
    , m_lines(device)
    , m_now(now)
    , m_entryCount(store.urlDatas().Count())
    , m_groupCount(store.IDXList().groupCount())
{
    store.urlDatas().reserve(m_entryCount + qsizetype(sizeHint / typicalLineBytes));
}

LineReader::Step PieceReader::readPiece()
{
    const LineReader::Step step = m_lines.readPiece([this](QByteArrayView line) {
        if (m_first) {
            line = TextDecoding::withoutUtf8Bom(line);
            m_first = false;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        parseLine(m_store, ByteLine(line, m_utf8), m_now);
    });
    if (step == LineReader::Step::Failed)
        takeBackAdded(m_store, m_entryCount, m_groupCount);
    return step;
}

quint32 keyNumberWhenRead(const URLBlock &store, const URLData &entry)
{
    const GroupTable &groups = store.IDXList();
    // The file's order by group: entries of no group first (-1).
    const auto place = [&groups](const URLData &e) { return groups.isGroup(e.Owner) ? e.Owner : -1; };
    const int group = place(entry);
    quint32 before = 0;
    bool reached = false;
    for (const URLData &other : store.urlDatas()) {
        if (&other == &entry)
            reached = true;
        else if (place(other) < group || (place(other) == group && !reached))
            ++before;
    }
    return before + 1;
}

bool writeStackFileText(const URLBlock &store, const FileIO::PieceWriter &write)
{
    const GroupTable &groups = store.IDXList();
    const URLDatas &entries = store.urlDatas();

    // Entries by group, in insertion order; the last bucket holds entries of no group.
    std::vector<std::vector<const URLData *>> byGroup(size_t(groups.groupCount()) + 1);
    for (const URLData &entry : entries) {
        const int group = groups.isGroup(entry.Owner) ? entry.Owner : groups.groupCount();
        byGroup[size_t(group)].push_back(&entry);
    }

    StackTextWriter out(write);
    for (const URLData *entry : byGroup.back())
        out.appendEntryLine(*entry);
    for (int i = 0; i < groups.groupCount() && out.ok(); ++i) {
        out.appendGroupLine(groups.at(i).name);
        for (const URLData *entry : byGroup[size_t(i)])
            out.appendEntryLine(*entry);
    }
    return out.finish();
}

QByteArray stackFileText(const URLBlock &store)
{
    QByteArray text;
    writeStackFileText(store, [&text](QByteArrayView piece) {
        text.append(piece);
        return true;
    });
    return text;
}

bool saveStackFile(URLBlock &store, const QString &path, QString *error)
{
    if (!FileIO::saveFile(path, stackFileContent(store), error))
        return false;
    store.resetChangeCount();
    return true;
}

bool saveStackFileWithBackup(URLBlock &store, const QString &path, const QString &backupPath, QString *error)
{
    // Saves of this file that were killed left their temporary files beside
    // it and its backup; its writers take its lock, so they are few.
    FileIO::removeAbandonedTemporaries(FileIO::writtenPath(path));
    FileIO::removeAbandonedTemporaries(backupPath);
    const auto makeBackup = [&](QString *backupError) {
        return !FilePaths::exists(path) || FileIO::backupFile(path, backupPath, backupError);
    };
    if (!FileIO::saveFile(path, stackFileContent(store), error, makeBackup))
        return false;
    store.resetChangeCount();
    return true;
}

}  // namespace StackFile
