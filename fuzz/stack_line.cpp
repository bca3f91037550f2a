// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One stack-file line, read both ways the program reads lines: as the bytes
// of a file (the loader and tsy's streaming commands) and as decoded text
// (a line applied to a store). Both must make the same group or entry.

#include "FuzzCheck.h"
#include "StackFile.h"
#include "StackLineParser.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QStringDecoder>
#include <cstdint>

namespace {

constexpr double now = 45364.5;

// Adds what the byte parser finds to a store, as the loader does.
struct Sink
{
    URLBlock &store;
    void group(const QString &name) { store.NewCatagory(name); }
    URLData *entry(QString title, QString url)
    {
        return store.urlDatas().Add(std::move(title), std::move(url), store.IDXList().groupCount() - 1);
    }
};

// The line as text: UTF-8 (one leading byte-order mark dropped, any other
// kept) when it is valid UTF-8, Windows-1252 otherwise.
QString decodedLine(QByteArrayView line)
{
    if (!TextDecoding::isValidUtf8(line))
        return TextDecoding::fromWindows1252(line);
    QStringDecoder keepingMarks(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return keepingMarks.decode(TextDecoding::withoutUtf8Bom(line));
}

bool sameEntry(const URLData &a, const URLData &b)
{
    return a.Name == b.Name && a.url == b.url && a.Owner == b.Owner && a.Created == b.Created
        && a.LastAccesed == b.LastAccesed && a.Visited == b.Visited && a.Rated == b.Rated
        && a.Catagory == b.Catagory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView line(reinterpret_cast<const char *>(data), qsizetype(size));
    URLBlock fromBytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    StackFile::Parsing::parseLine(StackFile::Parsing::ByteLine(line, utf8), now, Sink {fromBytes});

    URLBlock fromText;
    StackFile::parseStackLine(fromText, decodedLine(line), now);

    FUZZ_CHECK(fromBytes.IDXList().groupCount() == fromText.IDXList().groupCount());
    if (fromText.IDXList().groupCount() == 1)
        FUZZ_CHECK(fromBytes.IDXList().at(0).name == fromText.IDXList().at(0).name);
    FUZZ_CHECK(fromBytes.urlDatas().Count() == fromText.urlDatas().Count());
    if (fromText.urlDatas().Count() == 1)
        FUZZ_CHECK(sameEntry(*fromBytes.urlDatas().Item(1), *fromText.urlDatas().Item(1)));
    return 0;
}
