#include "DumpCommand.h"

#include "DayCount.h"
#include "JsonText.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QCommandLineParser>

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

int DumpCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 1))
        return UsageError;
    URLBlock store;
    QString error;
    if (!StackFile::loadStackFile(store, parser.positionalArguments().at(0), false, DayCount::now(), &error))
        return fileError(error);

    m_out << "{\"groups\":[";
    const GroupTable &groups = store.IDXList();
    for (int i = 0; i < groups.groupCount(); ++i) {
        const GroupRecord &group = groups.at(i);
        m_out << (i ? "," : "") << "{\"number\":" << group.number
              << ",\"name\":" << JsonText::string(group.name)
              << ",\"inIndexMask\":" << (group.inIndexMask ? "true" : "false") << '}';
    }
    m_out << "],\"entries\":[";
    bool first = true;
    for (const URLData &entry : store.urlDatas()) {
        m_out << (first ? "" : ",") << "{\"id\":" << JsonText::string(entry.ID())
              << ",\"name\":" << JsonText::string(entry.Name) << ",\"url\":" << JsonText::string(entry.url)
              << ",\"owner\":" << entry.Owner << ",\"lastAccessed\":" << JsonText::number(entry.LastAccesed)
              << ",\"created\":" << JsonText::number(entry.Created) << ",\"visited\":" << entry.Visited
              << ",\"catagory\":" << int(entry.Catagory) << ",\"rated\":" << int(entry.Rated) << '}';
        first = false;
    }
    m_out << "]}\n";
    return Success;
}
