// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An XBEL file merged into an empty store. A file that is refused gives a
// reason and reports nothing; one that is read puts every entry in a group.
// Read by two threads, the second from a place where "<folder" begins, it
// gives what one thread's reading gives.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StoreSink.h"
#include "URLBlock.h"
#include "XbelReader.h"

#include <QStringList>
#include <cstdint>

namespace {

// What a reader tells its sink, one line each.
class EventLines : public BookmarkSink
{
public:
    void newGroup(const QString &name) override { lines << QStringLiteral("+") + name; }
    void reopenGroup(const QString &name) override { lines << QStringLiteral("=") + name; }
    void bungUrl(const QString &title, const QString &url) override { lines << title + u'|' + url; }
    void bungEntry(const BookmarkEntry &e) override
    {
        lines << e.title + u'|' + e.url + u'|' + QString::number(e.addedMs.value_or(-1)) + u'|'
                + QString::number(e.lastVisitMs.value_or(-1)) + u'|' + QString::number(e.visits) + u'|'
                + QString::number(e.rating) + u'|' + QString::number(e.category);
    }
    void storeLastRootOwner() override { lines << QStringLiteral("root"); }
    QStringList lines;
};

void checkReadingInTwo(QByteArrayView data)
{
    EventLines one;
    QString error;
    const bool read = XbelReader::readXbelData(data, one, &error, XbelReader::Reader::Fast);
    int tried = 0;
    for (qsizetype at = data.indexOf("<folder"); at > 0 && tried < 4; at = data.indexOf("<folder", at + 1), ++tried) {
        EventLines two;
        bool handedOver = false;
        FUZZ_CHECK(XbelReader::readXbelDataInTwo(data, at, two, &handedOver) == read);
        FUZZ_CHECK(two.lines == one.lines);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = FuzzFolder::write(QStringLiteral("bookmarks.xbel"),
                                           QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkReadingInTwo(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    URLBlock store;
    StoreSink sink(store, 45364.5);
    QString error;
    if (!XbelReader::readXbelFile(file, sink, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(store.urlDatas().isEmpty() && store.IDXList().isEmpty());
        return 0;
    }
    for (const URLData &entry : store.urlDatas())
        FUZZ_CHECK(store.IDXList().isGroup(entry.Owner));
    return 0;
}
