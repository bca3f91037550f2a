// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportHtmlCommand.h"

#include "FileIO.h"
#include "LocalDays.h"
#include "NetscapeBookmarkWriter.h"
#include "URLBlock.h"
#include <vector>

namespace {

// An entry's link: its dates through the table of local days.
void addLink(NetscapeBookmarkWriter &writer, LocalDays &days, const URLData &entry)
{
    BookmarkAttributes::LinkAttributes attributes;
    if (entry.Created != 0)
        attributes.addedMs = days.msSinceEpoch(entry.Created);
    if (entry.LastAccesed != 0)
        attributes.lastVisitMs = days.msSinceEpoch(entry.LastAccesed);
    attributes.visits = entry.Visited;
    attributes.rating = entry.Rated;
    attributes.category = entry.Catagory;
    writer.addLink(entry.Name, entry.url, attributes);
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

bool ExportHtmlCommand::writeBookmarkFile(const URLBlock &store, const NetscapeBookmarkWriter::PieceWriter &write)
{
    const GroupTable &groups = store.IDXList();
    std::vector<std::vector<const URLData *>> members(size_t(groups.groupCount()));
    NetscapeBookmarkWriter writer(write);
    LocalDays days;
    for (const URLData &entry : store.urlDatas()) {
        if (groups.isGroup(entry.Owner))
            members[size_t(entry.Owner)].push_back(&entry);
        else
            addLink(writer, days, entry);
    }
    for (int group = 0; group < groups.groupCount() && writer.ok(); ++group) {
        writer.beginFolder(groups.at(group).name);
        for (const URLData *entry : members[size_t(group)])
            addLink(writer, days, *entry);
    }
    writer.finish();
    return writer.ok();
}

bool ExportHtmlCommand::writeStore(const URLBlock &store, const QString &out, QString *error) const
{
    return FileIO::saveFile(
        out, [&store](const FileIO::PieceWriter &write) { writeBookmarkFile(store, write); }, error);
}
