// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FileIO.h"
#include "LineReader.h"
#include "LongWork.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

class QIODevice;
class URLBlock;
class URLData;
struct MergeCounts;

// Stack files: the store as text. A group line is "+" and the group's name;
// an entry line holds seven fields separated by the byte 0x05: url, title,
// last visit, created (date texts), visits, category, rating. An entry
// belongs to the group line above it.
namespace StackFile {

constexpr QChar fieldSeparator = QChar(0x05);

// Reads a stack file into the store. Without merge the store is emptied
// first; with merge the file is merged in as mergeStackFile does. now is the
// date given to entries that have none. False, with an error text naming the
// file, when the file cannot be opened or read; a file that opens always
// reads to its end, skipping what does not parse. progress hears of the
// bytes read; when it says stop, the store is left empty (as merge leaves it:
// as it was) and the result is false.
bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error = nullptr,
                   const LongWork::Progress &progress = {});

// Merges a stack file into the store with StoreMerge: each group of the file
// goes to the store's group of that name (the n-th of a name to the n-th,
// appended when the store has fewer), entries before the file's first group
// line to the store's last group, and an entry whose address its group holds
// already is left out; every field of an added entry is kept. The store
// counts one change, also when the file cannot be read (its groups and
// entries are then left as they were). counts (when given) tells what was
// added and what was there already. progress hears of the reading and then
// of the merge; when it says stop (at any step, the last one too) the store
// is left exactly as it was, its change count too, and the result is false.
bool mergeStackFile(URLBlock &store, const QString &path, double now, MergeCounts *counts = nullptr,
                    QString *error = nullptr, const LongWork::Progress &progress = {});

// Reads stack-file text from the device into the store, adding to what it
// holds (sizeHint: the text's size in bytes when known, else 0). When a read
// fails, or progress (told of the bytes read after each piece) says stop,
// what this call added is taken back and the result is false.
bool readStackFile(URLBlock &store, QIODevice &device, qint64 sizeHint, double now,
                   const LongWork::Progress &progress = {});

// readStackFile a piece of the text at a time (see LineReader), for a caller
// that does other work between pieces. A piece that fails to read takes back
// what the reader added; a reader dropped before the end leaves what it added.
class PieceReader
{
public:
    PieceReader(URLBlock &store, QIODevice &device, qint64 sizeHint, double now);
    LineReader::Step readPiece();
    // Takes back what the reader added (a read that was stopped).
    void takeBack();

private:
    URLBlock &m_store;
    LineReader m_lines;
    double m_now;
    qsizetype m_entryCount;
    int m_groupCount;
    QStringDecoder m_utf8 {QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom};
    bool m_first = true;
};

// Memory a store loaded from a stack file takes, about this many times the
// file's size (UTF-16 texts, one block and one entry record a line): what a
// load prepares the heap for (see HeapReserve).
constexpr qint64 memoryPerFileByte = 3;

// Applies one line (without its line end) to the store.
void parseStackLine(URLBlock &store, QStringView line, double now);

// The key number the entry gets when the store's stack file is read again:
// its place in the file, which holds the entries of no group first and then
// each group's entries in turn (not the store's insertion order).
quint32 keyNumberWhenRead(const URLBlock &store, const URLData &entry);
// The other way round: the store's key number of the entry that gets
// keyNumberWhenRead when the file is read again; 0 when no entry does.
quint32 keyNumberInStore(const URLBlock &store, quint32 keyNumberWhenRead);

// The whole store as stack-file text: UTF-8, CR LF line ends. Entries of no
// group come first, before the first group line, so nothing is lost.
QByteArray stackFileText(const URLBlock &store);

// The same text handed to write in pieces of about a MiB, so that it is
// never held whole; false (and the rest not made) once write returns false
// or progress (told of the entries written) says stop.
bool writeStackFileText(const URLBlock &store, const FileIO::PieceWriter &write,
                        const LongWork::Progress &progress = {});

// Writes the store to path, replacing the file in one step. On success the
// change count is reset; on failure the previous file and the change count
// are left as they were. When progress says stop, nothing is written (no
// temporary file stays) and the result is false.
bool saveStackFile(URLBlock &store, const QString &path, QString *error = nullptr,
                   const LongWork::Progress &progress = {});

// The same, keeping the previous file (when there is one) as backupPath. The
// backup is made only once the new text is safely written, and replaced in
// one step; when anything fails the previous file is left whole. Temporary
// files that killed saves of the file left beside it and its backup are
// removed first (FileIO::removeAbandonedTemporaries).
bool saveStackFileWithBackup(URLBlock &store, const QString &path, const QString &backupPath,
                             QString *error = nullptr);

// The same for stack-file text that content makes, which may give up (see
// FileIO::saveFallibleFile): then nothing is written and no backup made.
bool saveTextWithBackup(const QString &path, const QString &backupPath, const FileIO::FallibleContent &content,
                        QString *error);

}  // namespace StackFile
