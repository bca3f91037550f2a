#include "StackFile.h"

#include "FileIO.h"
#include "HexDate.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <QVarLengthArray>
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

// Fields 3 to 7 of a full entry line. A field that does not convert ends the
// line: what was set before it stays.
void readEntryDetails(URLData &entry, const QVarLengthArray<QStringView, 8> &fields, double now)
{
    entry.LastAccesed = ConvertHexDate(fields[2]);
    entry.Created = ConvertHexDate(fields[3]);
    if (entry.Created == 0.0) {
        entry.Created = now;
        entry.LastAccesed = 0.0;
    }
    const auto visited
        = readInteger(fields[4], std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!visited)
        return;
    entry.Visited = qint32(*visited);
    const auto catagory = readInteger(fields[5], 0, 255);
    if (!catagory)
        return;
    entry.Catagory = quint8(*catagory);
    const auto rated = readInteger(fields[6], 0, 255);
    if (!rated)
        return;
    entry.Rated = quint8(*rated);
}

// Field text as written, in UTF-8: a separator or line break inside a field
// would break the line, so each becomes a blank.
void appendField(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    QStringEncoder encoder(QStringEncoder::Utf8);
    out.resize(start + encoder.requiredSpace(text.size()));
    char *const begin = out.data() + start;
    char *const end = encoder.appendToBuffer(begin, text);
    out.truncate(end - out.constData());
    for (char *p = begin; p < end; ++p) {
        if (*p == separatorByte || *p == '\r' || *p == '\n')
            *p = ' ';
    }
}

void appendEntryLine(QByteArray &out, const URLData &entry)
{
    appendField(out, entry.url);
    out.append(separatorByte);
    appendField(out, entry.Name);
    out.append(separatorByte);
    appendHexDate(out, entry.LastAccesed);
    out.append(separatorByte);
    appendHexDate(out, entry.Created);
    out.append(separatorByte);
    out.append(QByteArray::number(entry.Visited));
    out.append(separatorByte);
    out.append(QByteArray::number(entry.Catagory));
    out.append(separatorByte);
    out.append(QByteArray::number(entry.Rated));
    out.append("\r\n");
}

}  // namespace

void parseStackLine(URLBlock &store, QStringView line, double now)
{
    QVarLengthArray<QStringView, 8> fields;
    qsizetype fieldCount = 0;
    for (const QStringView field : line.tokenize(fieldSeparator)) {
        if (fields.size() < 8)
            fields.append(field);
        ++fieldCount;
    }
    if (fieldCount <= 1) {
        if (line.startsWith(u'+'))
            store.NewCatagory(line.sliced(1).toString());
        return;
    }
    URLData *entry
        = store.urlDatas().Add(fields[1].toString(), fields[0].toString(), store.IDXList().groupCount() - 1);
    if (!entry)
        return;
    if (fieldCount == entryFieldCount) {
        readEntryDetails(*entry, fields, now);
    } else {
        entry->Created = now;
        entry->LastAccesed = 0.0;
    }
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
    while (!rest.isEmpty()) {
        qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        parseStackLine(store, TextDecoding::decodeLine(line), now);
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
    for (const URLData *entry : byGroup.back())
        appendEntryLine(out, *entry);
    for (int i = 0; i < groups.groupCount(); ++i) {
        out.append('+');
        appendField(out, groups.at(i).name);
        out.append("\r\n");
        for (const URLData *entry : byGroup[size_t(i)])
            appendEntryLine(out, *entry);
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
