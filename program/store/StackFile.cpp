// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackFile.h"

#include "FileIO.h"
#include "FilePaths.h"
#include "LineReader.h"
#include "StackLineParser.h"
#include "StackTextWriter.h"
#include "StoreMerge.h"
#include "TextDecoding.h"
#include "URLBlock.h"

#include <QFile>
#include <QStringDecoder>
#include <vector>

namespace StackFile {

namespace {

using Parsing::ByteLine;
using Parsing::TextLine;

// Adds what the parser finds to a store: groups after its groups, entries
// to the last group.
struct StoreSink
{
    URLBlock &store;

    void group(QString name) { store.NewCatagory(name); }
    URLData *entry(QString title, QString url)
    {
        return store.urlDatas().Add(std::move(title), std::move(url), store.IDXList().groupCount() - 1);
    }
};

// The file's lines may not number more than one entry for each of this many
// bytes on average; room for that many entries is made before reading. A
// file of shorter lines only makes the store grow while it is read.
constexpr qint64 typicalLineBytes = 128;

// Takes back what a file that failed to read added to the store.
void takeBackAdded(URLBlock &store, qsizetype entryCount, int groupCount)
{
    URLDatas &entries = store.urlDatas();
    while (entries.Count() > entryCount)
        entries.Delete(entries.Count());
    while (store.IDXList().groupCount() > groupCount)
        store.removeGroup(store.IDXList().groupCount() - 1);
}

FileIO::ContentWriter stackFileContent(const URLBlock &store)
{
    return [&store](const FileIO::PieceWriter &write) { writeStackFileText(store, write); };
}

// Entries written or merged between two reports of progress.
constexpr qsizetype entriesPerStep = 4096;

}  // namespace

void parseStackLine(URLBlock &store, QStringView line, double now)
{
    Parsing::parseLine(TextLine {line}, now, StoreSink {store});
}

bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error,
                   const LongWork::Progress &progress)
{
    if (merge)
        return mergeStackFile(store, path, now, nullptr, error, progress);
    store.clear();
    QFile file;
    if (!FileIO::openRegularFile(path, &file, error))
        return false;
    bool stopped = false;
    const auto reportRead = [&](qint64 done, qint64 total) {
        stopped = !LongWork::report(progress, done, total);
        return !stopped;
    };
    if (readStackFile(store, file, file.size(), now, reportRead))
        return true;
    store.clear();
    if (stopped && error)
        *error = QStringLiteral("%1: reading stopped").arg(path);
    else if (!stopped)
        FileIO::setReadError(path, file, error);
    return false;
}

bool mergeStackFile(URLBlock &store, const QString &path, double now, MergeCounts *counts, QString *error,
                    const LongWork::Progress &progress)
{
    const URLBlock::Mark before = store.mark();
    store.countChange();
    URLBlock file;
    bool stopped = false;
    const LongWork::Progress parts = progress ? LongWork::Progress([&](qint64 done, qint64 total) {
        stopped = !progress(done, total);
        return !stopped;
    })
                                              : LongWork::Progress();
    if (!loadStackFile(file, path, false, now, error, LongWork::share(parts, 0, 2))) {
        if (stopped)
            store.takeBackTo(before);
        return false;
    }
    StoreMerge merge(store);
    if (!merge.mergeStore(file, LongWork::share(parts, 1, 2))) {
        store.takeBackTo(before);
        if (error)
            *error = QStringLiteral("%1: merge stopped").arg(path);
        return false;
    }
    if (counts)
        *counts = merge.counts();
    return true;
}

bool readStackFile(URLBlock &store, QIODevice &device, qint64 sizeHint, double now, const LongWork::Progress &progress)
{
    PieceReader reader(store, device, sizeHint, now);
    LineReader::Step step;
    do {
        step = reader.readPiece();
        if (step != LineReader::Step::Failed
            && !LongWork::report(progress, device.pos(), qMax(sizeHint, device.pos()))) {
            reader.takeBack();
            return false;
        }
    } while (step == LineReader::Step::More);
    return step == LineReader::Step::End;
}

PieceReader::PieceReader(URLBlock &store, QIODevice &device, qint64 sizeHint, double now)
    : m_store(store)
    , m_lines(device)
    , m_now(now)
    , m_entryCount(store.urlDatas().Count())
    , m_groupCount(store.IDXList().groupCount())
{
    store.urlDatas().reserve(m_entryCount + qsizetype(sizeHint / typicalLineBytes));
}

LineReader::Step PieceReader::readPiece()
{
    const LineReader::Step step = m_lines.readPiece([this](QByteArrayView line) {
        if (m_first) {
            line = TextDecoding::withoutUtf8Bom(line);
            m_first = false;
        }
        if (line.endsWith('\r'))
            line.chop(1);
        Parsing::parseLine(ByteLine(line, m_utf8), m_now, StoreSink {m_store});
    });
    if (step == LineReader::Step::Failed)
        takeBack();
    return step;
}

void PieceReader::takeBack()
{
    takeBackAdded(m_store, m_entryCount, m_groupCount);
}

quint32 keyNumberWhenRead(const URLBlock &store, const URLData &entry)
{
    const GroupTable &groups = store.IDXList();
    // The file's order by group: entries of no group first (-1).
    const auto place = [&groups](const URLData &e) { return groups.isGroup(e.Owner) ? e.Owner : -1; };
    const int group = place(entry);
    quint32 before = 0;
    bool reached = false;
    for (const URLData &other : store.urlDatas()) {
        if (&other == &entry)
            reached = true;
        else if (place(other) < group || (place(other) == group && !reached))
            ++before;
    }
    return before + 1;
}

quint32 keyNumberInStore(const URLBlock &store, quint32 keyNumberWhenRead)
{
    const GroupTable &groups = store.IDXList();
    // The file's places in turn: entries of no group first (0), then each group's.
    const auto place = [&groups](const URLData &e) { return groups.isGroup(e.Owner) ? size_t(e.Owner) + 1 : 0; };
    std::vector<quint32> counts(size_t(groups.groupCount()) + 1);
    for (const URLData &entry : store.urlDatas())
        ++counts[place(entry)];
    quint32 rest = keyNumberWhenRead;
    size_t wanted = 0;
    while (wanted < counts.size() && rest > counts[wanted])
        rest -= counts[wanted++];
    if (rest == 0 || wanted == counts.size())
        return 0;
    for (const URLData &entry : store.urlDatas()) {
        if (place(entry) == wanted && --rest == 0)
            return entry.keyNumber();
    }
    return 0;
}

bool writeStackFileText(const URLBlock &store, const FileIO::PieceWriter &write, const LongWork::Progress &progress)
{
    const GroupTable &groups = store.IDXList();
    const URLDatas &entries = store.urlDatas();

    // Entries by group, in insertion order; the last bucket holds entries of no group.
    std::vector<std::vector<const URLData *>> byGroup(size_t(groups.groupCount()) + 1);
    for (const URLData &entry : entries) {
        const int group = groups.isGroup(entry.Owner) ? entry.Owner : groups.groupCount();
        byGroup[size_t(group)].push_back(&entry);
    }

    StackTextWriter out(write);
    const qsizetype total = entries.Count();
    qsizetype written = 0;
    bool goOn = true;
    const auto add = [&](const URLData *entry) {
        out.appendEntryLine(*entry);
        if (++written % entriesPerStep == 0)
            goOn = LongWork::report(progress, written, total);
    };
    for (auto it = byGroup.back().begin(); it != byGroup.back().end() && goOn; ++it)
        add(*it);
    for (int i = 0; i < groups.groupCount() && out.ok() && goOn; ++i) {
        out.appendGroupLine(groups.at(i).name);
        for (auto it = byGroup[size_t(i)].begin(); it != byGroup[size_t(i)].end() && goOn; ++it)
            add(*it);
    }
    // The last step is reported before the end is written: stopped there, nothing is.
    if (goOn)
        goOn = LongWork::report(progress, total, total);
    return goOn && out.finish();
}

QByteArray stackFileText(const URLBlock &store)
{
    QByteArray text;
    writeStackFileText(store, [&text](QByteArrayView piece) {
        text.append(piece);
        return true;
    });
    return text;
}

bool saveStackFile(URLBlock &store, const QString &path, QString *error, const LongWork::Progress &progress)
{
    // A write that failed is named by the save (over this text); otherwise the
    // progress said stop, and nothing is written.
    const FileIO::FallibleContent content = [&](const FileIO::PieceWriter &write, QString *contentError) {
        if (writeStackFileText(store, write, progress))
            return true;
        if (contentError)
            *contentError = QStringLiteral("%1: saving stopped").arg(path);
        return false;
    };
    if (!FileIO::saveFallibleFile(path, content, error))
        return false;
    store.resetChangeCount();
    return true;
}

bool saveStackFileWithBackup(URLBlock &store, const QString &path, const QString &backupPath, QString *error)
{
    const FileIO::ContentWriter text = stackFileContent(store);
    const FileIO::FallibleContent content = [&text](const FileIO::PieceWriter &write, QString *) {
        text(write);
        return true;
    };
    if (!saveTextWithBackup(path, backupPath, content, error))
        return false;
    store.resetChangeCount();
    return true;
}

bool saveTextWithBackup(const QString &path, const QString &backupPath, const FileIO::FallibleContent &content,
                        QString *error)
{
    // Saves of this file that were killed left their temporary files beside
    // it and its backup; its writers take its lock, so they are few.
    FileIO::removeAbandonedTemporaries(FileIO::writtenPath(path));
    FileIO::removeAbandonedTemporaries(backupPath);
    const auto makeBackup = [&](QString *backupError) {
        return !FilePaths::exists(path) || FileIO::backupFile(path, backupPath, backupError);
    };
    return FileIO::saveFallibleFile(path, content, error, makeBackup);
}

}  // namespace StackFile
