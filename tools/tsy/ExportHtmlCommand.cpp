#include "ExportHtmlCommand.h"

#include "BookmarkEntry.h"
#include "DayCount.h"
#include "FileIO.h"
#include "FilePaths.h"
#include "NetscapeBookmarkWriter.h"
#include "ToolStore.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <vector>

namespace {

QDateTime timeOf(double dayCount)
{
    return dayCount == 0 ? QDateTime() : DayCount::toDateTimeMs(dayCount);
}

void addLink(NetscapeBookmarkWriter &writer, const URLData &entry)
{
    BookmarkEntry link;
    link.title = entry.Name;
    link.url = entry.url;
    link.added = timeOf(entry.Created);
    link.lastVisit = timeOf(entry.LastAccesed);
    link.visits = entry.Visited;
    link.rating = entry.Rated;
    link.category = entry.Catagory;
    writer.addLink(link);
}

}  // namespace

QString ExportHtmlCommand::summary() const
{
    return QStringLiteral("write a stack file as a bookmark file (.html) for browsers");
}

QString ExportHtmlCommand::help() const
{
    return QStringLiteral("Usage: tsy export-html FILE.tsy OUT.html\n"
                          "\n"
                          "Writes FILE's entries as a Netscape bookmark file that Firefox and Chromium\n"
                          "import: each group becomes a folder of the top level holding its entries,\n"
                          "in FILE's order, with the creation date as ADD_DATE and the last visit as\n"
                          "LAST_VISIT (Unix times in seconds; left out for no date). The visit count,\n"
                          "rating and category, and the dates to the millisecond where whole seconds\n"
                          "do not hold them, go into attributes of Tessaly's own (TESSALY_VISITS,\n"
                          "TESSALY_RATING, TESSALY_CATEGORY, TESSALY_ADD_MS, TESSALY_LAST_VISIT_MS),\n"
                          "which browsers pass over: tsy import-html reads the file back to the same\n"
                          "groups and entries, every field kept. OUT is replaced in one step, so a\n"
                          "failed write leaves it as it was.\n");
}

QByteArray ExportHtmlCommand::bookmarkFileText(const URLBlock &store)
{
    const GroupTable &groups = store.IDXList();
    std::vector<std::vector<const URLData *>> members(size_t(groups.groupCount()));
    NetscapeBookmarkWriter writer;
    for (const URLData &entry : store.urlDatas()) {
        if (groups.isGroup(entry.Owner))
            members[size_t(entry.Owner)].push_back(&entry);
        else
            addLink(writer, entry);
    }
    for (int group = 0; group < groups.groupCount(); ++group) {
        writer.beginFolder(groups.at(group).name);
        for (const URLData *entry : members[size_t(group)])
            addLink(writer, *entry);
    }
    return writer.finish();
}

int ExportHtmlCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (!parse(parser, arguments, 2))
        return UsageError;
    const QString file = parser.positionalArguments().at(0);
    const QString out = parser.positionalArguments().at(1);
    if (FilePaths::exists(out) && FilePaths::canonical(file) == FilePaths::canonical(out))
        return usageError(QStringLiteral("%1: the bookmark file would replace the stack file").arg(out));
    URLBlock store;
    QString error;
    if (!ToolStore::loadStackFile(store, file, false, DayCount::now(), &error)
        || !FileIO::saveFile(out, bookmarkFileText(store), &error))
        return fileError(error);
    m_out << "Wrote " << store.IDXList().groupCount() << " groups and " << store.urlDatas().Count()
          << " entries to " << out << '\n';
    return Success;
}
