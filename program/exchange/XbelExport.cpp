// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XbelExport.h"

#include "URLBlock.h"
#include "XbelWriter.h"

#include <vector>

namespace XbelExport {

bool writeStore(const URLBlock &store, const FileIO::PieceWriter &write)
{
    const GroupTable &groups = store.IDXList();
    std::vector<std::vector<const URLData *>> members(size_t(groups.groupCount()));
    XbelWriter writer(write);
    for (const URLData &entry : store.urlDatas()) {
        if (groups.isGroup(entry.Owner))
            members[size_t(entry.Owner)].push_back(&entry);
        else
            writer.bookmark(entry);
    }
    for (int group = 0; group < groups.groupCount(); ++group) {
        writer.beginFolder(groups.at(group).name);
        for (const URLData *entry : members[size_t(group)])
            writer.bookmark(*entry);
        writer.endFolder();
    }
    return writer.finish();
}

bool saveStore(const URLBlock &store, const QString &path, QString *error)
{
    bool written = true;
    const bool saved = FileIO::saveFile(
        path, [&](const FileIO::PieceWriter &write) { written = writeStore(store, write); }, error);
    return saved && written;
}

}  // namespace XbelExport
