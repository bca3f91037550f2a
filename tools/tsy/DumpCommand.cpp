#include "DumpCommand.h"

#include "DayCount.h"
#include "JsonText.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <array>
#include <charconv>

namespace {

void appendInteger(QString &out, int value)
{
    std::array<char, 12> digits {};
    const char *end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    out += QLatin1StringView(digits.data(), end);
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

void DumpCommand::writeWhenFull(QString &out)
{
    if (out.size() < outputChunk)
        return;
    m_out << out;
    out.resize(0);  // keeps the capacity
}

int DumpCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    URLBlock store;
    QString error;
    if (!StackFile::loadStackFile(store, parser.positionalArguments().at(0), false, DayCount::now(), &error))
        return fileError(error);

    // The text is made in one buffer and handed to the stream in large pieces.
    QString out;
    out.reserve(outputChunk + 4096);
    out += QLatin1StringView("{\"groups\":[");
    const GroupTable &groups = store.IDXList();
    for (int i = 0; i < groups.groupCount(); ++i) {
        const GroupRecord &group = groups.at(i);
        out += QLatin1StringView(i ? ",{\"number\":" : "{\"number\":");
        appendInteger(out, group.number);
        out += QLatin1StringView(",\"name\":");
        JsonText::appendString(out, group.name);
        out += QLatin1StringView(group.inIndexMask ? ",\"inIndexMask\":true}" : ",\"inIndexMask\":false}");
        writeWhenFull(out);
    }
    out += QLatin1StringView("],\"entries\":[");
    bool first = true;
    for (const URLData &entry : store.urlDatas()) {
        out += QLatin1StringView(first ? "{\"id\":" : ",{\"id\":");
        JsonText::appendString(out, entry.ID());
        out += QLatin1StringView(",\"name\":");
        JsonText::appendString(out, entry.Name);
        out += QLatin1StringView(",\"url\":");
        JsonText::appendString(out, entry.url);
        out += QLatin1StringView(",\"owner\":");
        appendInteger(out, entry.Owner);
        out += QLatin1StringView(",\"lastAccessed\":");
        JsonText::appendNumber(out, entry.LastAccesed);
        out += QLatin1StringView(",\"created\":");
        JsonText::appendNumber(out, entry.Created);
        out += QLatin1StringView(",\"visited\":");
        appendInteger(out, entry.Visited);
        out += QLatin1StringView(",\"catagory\":");
        appendInteger(out, entry.Catagory);
        out += QLatin1StringView(",\"rated\":");
        appendInteger(out, entry.Rated);
        out += QLatin1Char('}');
        first = false;
        writeWhenFull(out);
    }
    out += QLatin1StringView("]}\n");
    m_out << out;
    return Success;
}
