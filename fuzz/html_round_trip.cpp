// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A store exported as a bookmark file (tsy export-html) and imported again
// into an empty store keeps every field: the two stores' stack-file texts
// are the same. The store is the input read as a stack file, brought to
// what a bookmark file can hold: its entries of no group (which come back
// in a group of their own) and the later repeats of an address in a group
// (which a merge leaves out) are dropped, and line ends in texts are blanks.

#include "BookmarkFileReader.h"
#include "ExportHtmlCommand.h"
#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "StoreText.h"

#include <QSet>
#include <cstdint>

namespace {

QString withoutLineEnds(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

void bringToBookmarkFile(URLBlock &store)
{
    for (int group = 0; group < store.IDXList().groupCount(); ++group)
        store.renameGroup(group, withoutLineEnds(store.IDXList().at(group).name));
    QSet<QPair<int, QString>> seen;
    URLDatas &entries = store.urlDatas();
    for (qsizetype position = 1; position <= entries.Count();) {
        URLData &entry = *entries.Item(position);
        entry.Name = withoutLineEnds(entry.Name);
        entry.url = withoutLineEnds(entry.url);
        const QPair<int, QString> key {entry.Owner, entry.url};
        if (entry.Owner < 0 || seen.contains(key)) {
            entries.Delete(position);
            continue;
        }
        seen.insert(key);
        ++position;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    URLBlock store;
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    FUZZ_CHECK(StackFile::loadStackFile(store, FuzzFolder::write(QStringLiteral("in.tsy"), text), false,
                                        StoreText::now));
    bringToBookmarkFile(store);
    QByteArray html;
    FUZZ_CHECK(ExportHtmlCommand::writeBookmarkFile(store, [&html](QByteArrayView piece) {
        html += piece;
        return true;
    }));
    URLBlock back;
    StoreSink sink(back, StoreText::now + 1);
    FUZZ_CHECK(
        BookmarkFileReader::readBookmarkFile(FuzzFolder::write(QStringLiteral("out.html"), html), sink));
    FUZZ_CHECK(StackFile::stackFileText(back) == StackFile::stackFileText(store));
    return 0;
}
