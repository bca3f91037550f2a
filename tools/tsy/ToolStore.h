// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class LiveStore;
class URLBlock;
struct MergeCounts;

// Loading a stack file in tsy, a process that loads a whole store at once
// and ends soon after.
namespace ToolStore {

// StackFile::loadStackFile, after preparing the heap for the store the file
// will make (see HeapReserve). A file the live store holds (see LiveStore)
// is read from that store instead.
bool loadStackFile(URLBlock &store, const QString &path, bool merge, double now, QString *error);
// The store saved to path with the backup (see LockedStackFileEdit), or,
// when the live store holds path, put in its place (store is left empty).
bool saveStackFile(URLBlock &store, const QString &path, QString *error);
// The live store when it holds path; else null.
LiveStore *liveStoreOf(const QString &path);
// Whether path exists, or the live store holds it (it may not be saved yet).
bool exists(const QString &path);
// StackFile::mergeStackFile, after preparing the heap the same way.
bool mergeStackFile(URLBlock &store, const QString &path, double now, MergeCounts *counts, QString *error);

// The line the merging commands print: what they added to target, how many
// entries were there already and how many files of the source were skipped.
QString mergedText(const MergeCounts &counts, const QString &target, int skippedFiles = 0);
// "1 group", "2 groups": a count with the noun in the number it needs.
QString counted(qint64 count, const char *one, const char *many);
// "Wrote G groups and E entries to OUT", as the export commands end.
QString writtenText(qint64 groups, qint64 entries, const QString &out);

// Whether the commands that read or change a few entries stream FILE
// (StackFileStream) rather than load it: true unless the environment sets
// TSY_LOAD_WHOLE_STORE, with which they load the whole store as the other
// commands do (the tests run both ways and compare), and unless they run on
// the live store.
bool streams();

// True when a merge added neither groups nor entries and updated no entry: there is nothing to save.
bool addedNothing(const MergeCounts &counts);

}  // namespace ToolStore
