// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A store that loads, saved and loaded again, is the same: the same groups,
// and entries with the same group, texts, visits, category and rating and
// the same dates to the file's resolution (an old form of date is written
// rounded, and a CR inside a text as a blank, so that no field can break its
// line); saved again, it is the same text, byte for byte. Read and
// written in memory, in pieces through the same reader and writer as files,
// so that many inputs run in a second.

#include "FuzzCheck.h"
#include "HexDate.h"
#include "StoreText.h"

#include <QBuffer>
#include <QStringList>
#include <cstdint>

namespace {

void load(URLBlock &store, const QByteArray &text)
{
    QBuffer device;
    device.setData(text);
    FUZZ_CHECK(device.open(QIODevice::ReadOnly));
    FUZZ_CHECK(StackFile::readStackFile(store, device, text.size(), StoreText::now));
}

QByteArray saved(const URLBlock &store)
{
    QByteArray text;
    FUZZ_CHECK(StackFile::writeStackFileText(store, [&text](QByteArrayView piece) {
        text += piece;
        return true;
    }));
    FUZZ_CHECK(text == StackFile::stackFileText(store));
    return text;
}

QString lineSafe(QString text)
{
    return text.replace(u'\r', u' ');
}

// Every group and entry, field by field, apart from the writer.
QStringList contents(const URLBlock &store)
{
    QStringList lines;
    for (int group = 0; group < store.IDXList().groupCount(); ++group)
        lines << lineSafe(store.IDXList().at(group).name);
    for (const URLData &entry : store.urlDatas())
        lines << QString::number(entry.Owner) + u'|' + lineSafe(entry.Name) + u'|' + lineSafe(entry.url)
                + u'|' + GetHexDate(entry.LastAccesed) + u'|' + GetHexDate(entry.Created) + u'|'
                + QString::number(entry.Visited) + u'|' + QString::number(entry.Catagory) + u'|'
                + QString::number(entry.Rated);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    URLBlock store;
    load(store, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray text = saved(store);
    URLBlock back;
    load(back, text);
    FUZZ_CHECK(contents(back) == contents(store));
    FUZZ_CHECK(saved(back) == text);
    return 0;
}
