// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DumpCommand.h"

#include "DayCount.h"
#include "JsonText.h"
#include "StackFileTwoPass.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <QStringEncoder>
#include <array>
#include <charconv>
#include <cstring>

namespace {

// A text without its terminating zero, at out; returns the end.
template<qsizetype N> char *put(char *out, const char (&text)[N])
{
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

char *putInteger(char *out, int value)
{
    return std::to_chars(out, out + 11, value).ptr;
}

// The entry's key as a JSON string: its key text (URLData::keyText, at
// least five digits), which needs no escapes, made without a QString.
char *putKey(char *out, quint32 keyNumber)
{
    std::array<char, 12> digits {};
    const char *end = std::to_chars(digits.begin(), digits.end(), keyNumber).ptr;
    const qsizetype length = end - digits.data();
    *out++ = '"';
    for (qsizetype i = length; i < 5; ++i)
        *out++ = '0';
    std::memcpy(out, digits.data(), size_t(length));
    out += length;
    *out++ = '"';
    return out;
}

// The fixed part of an entry's object at most: names, punctuation, key,
// owner, two dates and three numbers.
constexpr qsizetype maxEntryFixedBytes = 128 + 14 + 4 * 11 + 2 * JsonText::maxNumberBytes;

// One entry's object at the end of out.
void appendEntry(QByteArray &out, const URLData &entry, quint32 keyNumber, bool first, QStringEncoder &utf8)
{
    const qsizetype start = out.size();
    out.resize(start + JsonText::maxStringBytes(entry.Name.size())
               + JsonText::maxStringBytes(entry.url.size()) + maxEntryFixedBytes);
    char *p = out.data() + start;
    p = first ? put(p, "{\"id\":") : put(p, ",{\"id\":");
    p = putKey(p, keyNumber);
    p = put(p, ",\"name\":");
    p = JsonText::writeString(p, entry.Name, utf8);
    p = put(p, ",\"url\":");
    p = JsonText::writeString(p, entry.url, utf8);
    p = put(p, ",\"owner\":");
    p = putInteger(p, entry.Owner);
    p = put(p, ",\"lastAccessed\":");
    p = JsonText::writeNumber(p, entry.LastAccesed);
    p = put(p, ",\"created\":");
    p = JsonText::writeNumber(p, entry.Created);
    p = put(p, ",\"visited\":");
    p = putInteger(p, entry.Visited);
    p = put(p, ",\"catagory\":");
    p = putInteger(p, entry.Catagory);
    p = put(p, ",\"rated\":");
    p = putInteger(p, entry.Rated);
    *p++ = '}';
    out.truncate(p - out.constData());
}

// One group's object at the end of out.
void appendGroup(QByteArray &out, const GroupRecord &group, bool first, QStringEncoder &utf8)
{
    const qsizetype start = out.size();
    out.resize(start + JsonText::maxStringBytes(group.name.size()) + 64);
    char *p = out.data() + start;
    p = first ? put(p, "{\"number\":") : put(p, ",{\"number\":");
    p = putInteger(p, group.number);
    p = put(p, ",\"name\":");
    p = JsonText::writeString(p, group.name, utf8);
    p = group.inIndexMask ? put(p, ",\"inIndexMask\":true}") : put(p, ",\"inIndexMask\":false}");
    out.truncate(p - out.constData());
}

// The entries' objects of a file read line by line.
class EntryObjects : public StackFileStream::Edit
{
public:
    explicit EntryObjects(DumpCommand &command)
        : m_command(command)
    { }

    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        m_command.writeEntry(StackFileTwoPass::entryOf(line), line.key());
        return StackFileStream::EntryFate::Keep;
    }

private:
    DumpCommand &m_command;
};

}  // namespace

QString DumpCommand::summary() const
{
    return QStringLiteral("print a stack file's groups and entries as JSON");
}

QString DumpCommand::help() const
{
    return QStringLiteral("Usage: tsy dump FILE.tsy\n"
                          "\n"
                          "Loads the stack file and prints the store as one JSON object:\n"
                          "  {\"groups\":[{\"number\":0,\"name\":\"News\",\"inIndexMask\":true}],\n"
                          "   \"entries\":[{\"id\":\"00001\",\"name\":\"T\",\"url\":\"U\",\"owner\":0,\n"
                          "                \"lastAccessed\":36499.75416,\"created\":36499.75416,\n"
                          "                \"visited\":3,\"catagory\":0,\"rated\":2}]}\n"
                          "Entries come in store order; dates are day counts since 30 December 1899\n"
                          "(0: none); owner is -1 for an entry of no group.\n");
}

void DumpCommand::writeWhenFull(QByteArray &out, bool always)
{
    if (out.size() < outputChunk && !always)
        return;
    m_out.flush();
    if (QIODevice *device = m_out.device())
        device->write(out);
    else
        m_out << QString::fromUtf8(out);
    out.resize(0);  // keeps the capacity
}

int DumpCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    const QString path = parser.positionalArguments().at(0);
    // Entries in the file's order need no store: the file is read line by line.
    return ToolStore::streams() ? dumpStreamed(path) : dumpLoaded(path);
}

int DumpCommand::dumpLoaded(const QString &path)
{
    // The store is left to the end of the process, which gives all its memory
    // back at once: freeing 100,000 entries one by one would add about a tenth
    // to the command's time (bench/README.md). Reachable through the static,
    // so it is no leak to a leak checker.
    static URLBlock *const kept = new URLBlock;
    URLBlock &store = *kept;
    QString error;
    if (!ToolStore::loadStackFile(store, path, false, DayCount::now(), &error))
        return fileError(error);
    writeGroups(store.IDXList());
    for (const URLData &entry : store.urlDatas())
        writeEntry(entry, entry.keyNumber());
    finish();
    return Success;
}

int DumpCommand::dumpStreamed(const QString &path)
{
    StackFileTwoPass file(path, DayCount::now());
    QString error;
    if (!file.readGroups(&error))
        return fileError(error);
    writeGroups(file.groups());
    EntryObjects entries(*this);
    if (!file.readLines(entries, &error))
        return fileError(error);
    finish();
    return Success;
}

void DumpCommand::writeGroups(const GroupTable &groups)
{
    // The text is made as UTF-8 in one buffer and handed out in large pieces.
    m_text.reserve(outputChunk + 4096);
    m_text += "{\"groups\":[";
    for (int i = 0; i < groups.groupCount(); ++i) {
        appendGroup(m_text, groups.at(i), i == 0, m_utf8);
        writeWhenFull(m_text);
    }
    m_text += "],\"entries\":[";
}

void DumpCommand::writeEntry(const URLData &entry, quint32 keyNumber)
{
    appendEntry(m_text, entry, keyNumber, m_firstEntry, m_utf8);
    m_firstEntry = false;
    writeWhenFull(m_text);
}

void DumpCommand::finish()
{
    m_text += "]}\n";
    writeWhenFull(m_text, true);
}
