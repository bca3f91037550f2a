// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole stack file, read by the loader and by the streaming reader of
// tsy's commands. The streaming reader must tell the entries the loader
// makes, with the keys and groups the loader gives them; its rewrite of the
// file (no change asked) must load to the same store, and be the file itself
// when loading and saving leaves the file as it is.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "StackFileStream.h"
#include "StoreText.h"

#include <QFile>
#include <cstdint>

namespace {

// Checks each entry line the stream tells against the loaded store.
class CompareEdit : public StackFileStream::Edit
{
public:
    explicit CompareEdit(const URLBlock &store)
        : m_store(store)
    { }
    StackFileStream::EntryFate entry(StackFileStream::EntryLine &line, QString *) override
    {
        const URLData *loaded = m_store.urlDatas().Item(++m_count);
        FUZZ_CHECK(loaded);
        const URLData &read = line.entry();
        FUZZ_CHECK(line.key() == loaded->keyNumber() && line.group() == loaded->Owner);
        FUZZ_CHECK(read.Name == loaded->Name && read.url == loaded->url && read.Visited == loaded->Visited);
        FUZZ_CHECK(read.Created == loaded->Created && read.LastAccesed == loaded->LastAccesed);
        FUZZ_CHECK(read.Rated == loaded->Rated && read.Catagory == loaded->Catagory);
        return StackFileStream::EntryFate::Keep;
    }
    qsizetype count() const { return m_count; }

private:
    const URLBlock &m_store;
    qsizetype m_count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString in = FuzzFolder::write(QStringLiteral("in.tsy"), file);
    URLBlock store;
    FUZZ_CHECK(StackFile::loadStackFile(store, in, false, StoreText::now));
    for (const URLData &entry : store.urlDatas())
        FUZZ_CHECK(entry.Owner >= -1 && entry.Owner < store.IDXList().groupCount());

    CompareEdit compare(store);
    QString error;
    FUZZ_CHECK(StackFileStream::read(in, compare, StoreText::now, &error));
    FUZZ_CHECK(compare.count() == store.urlDatas().Count());

    const QString out = FuzzFolder::path() + QStringLiteral("/out.tsy");
    StackFileStream::Edit keep;
    FUZZ_CHECK(StackFileStream::rewriteInto(in, out, keep, StoreText::now, &error));
    const QByteArray saved = StackFile::stackFileText(store);
    FUZZ_CHECK(StoreText::ofFile(out) == saved);
    if (saved == file) {
        QFile rewritten(out);
        FUZZ_CHECK(rewritten.open(QIODevice::ReadOnly) && rewritten.readAll() == file);
    }
    return 0;
}
