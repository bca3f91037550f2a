#include "DumpCommand.h"

#include "DayCount.h"
#include "JsonText.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <QStringEncoder>
#include <array>
#include <charconv>

namespace {

void appendInteger(QByteArray &out, int value)
{
    std::array<char, 12> digits {};
    const char *end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    out.append(digits.data(), end - digits.data());
}

// The entry's key as a JSON string: its key text (URLData::keyText), which
// needs no escapes, made without a QString.
void appendKey(QByteArray &out, quint32 keyNumber)
{
    std::array<char, 12> digits {};
    const char *end = std::to_chars(digits.begin(), digits.end(), keyNumber).ptr;
    const qsizetype length = end - digits.data();
    out += '"';
    if (length < 5)
        out.append(5 - length, '0');
    out.append(digits.data(), length);
    out += '"';
}

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
    // The store is left to the end of the process, which gives all its memory
    // back at once: freeing 100,000 entries one by one would add about a tenth
    // to the command's time (bench/README.md). Reachable through the static,
    // so it is no leak to a leak checker.
    static URLBlock *const kept = new URLBlock;
    URLBlock &store = *kept;
    QString error;
    if (!StackFile::loadStackFile(store, parser.positionalArguments().at(0), false, DayCount::now(), &error))
        return fileError(error);

    // The text is made as UTF-8 in one buffer and handed out in large pieces.
    QByteArray out;
    out.reserve(outputChunk + 4096);
    QStringEncoder utf8(QStringEncoder::Utf8);
    out += "{\"groups\":[";
    const GroupTable &groups = store.IDXList();
    for (int i = 0; i < groups.groupCount(); ++i) {
        const GroupRecord &group = groups.at(i);
        out += i ? ",{\"number\":" : "{\"number\":";
        appendInteger(out, group.number);
        out += ",\"name\":";
        JsonText::appendString(out, group.name, utf8);
        out += group.inIndexMask ? ",\"inIndexMask\":true}" : ",\"inIndexMask\":false}";
        writeWhenFull(out);
    }
    out += "],\"entries\":[";
    bool first = true;
    for (const URLData &entry : store.urlDatas()) {
        out += first ? "{\"id\":" : ",{\"id\":";
        appendKey(out, entry.keyNumber());
        out += ",\"name\":";
        JsonText::appendString(out, entry.Name, utf8);
        out += ",\"url\":";
        JsonText::appendString(out, entry.url, utf8);
        out += ",\"owner\":";
        appendInteger(out, entry.Owner);
        out += ",\"lastAccessed\":";
        JsonText::appendNumber(out, entry.LastAccesed);
        out += ",\"created\":";
        JsonText::appendNumber(out, entry.Created);
        out += ",\"visited\":";
        appendInteger(out, entry.Visited);
        out += ",\"catagory\":";
        appendInteger(out, entry.Catagory);
        out += ",\"rated\":";
        appendInteger(out, entry.Rated);
        out += '}';
        first = false;
        writeWhenFull(out);
    }
    out += "]}\n";
    writeWhenFull(out, true);
    return Success;
}
