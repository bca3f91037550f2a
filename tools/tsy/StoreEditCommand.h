// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"
#include "EntryArguments.h"
#include "EntryOperations.h"
#include "StackFileStream.h"

#include <functional>
#include <vector>

class URLBlock;

// A tsy command that changes the entries of one stack file: it streams FILE
// through its change (StackFileStream), or loads FILE, applies its change
// and saves it; either way FILE is written with the previous content kept as
// the backup (FILE's name with the extension .bak), all under FILE's lock as
// tsy merge does. A change that fails saves nothing: the file stays as it was.
class StoreEditCommand : public Command
{
public:
    using Command::Command;

protected:
    // change sets an error text (without the command's name) when it fails.
    using Change = std::function<bool(URLBlock &store, QString *error)>;
    // The same change made by streaming FILE (StackFileStream::rewrite); it
    // must leave what change leaves, and print the same.
    using StreamedChange = std::function<bool(const QString &file, QString *error)>;

    // What a FILE that does not exist is: an error, or an empty store that
    // the change begins (fileIsNew() tells it so) and that is saved as FILE.
    enum class MissingFile { IsAnError, BeginsEmpty };

    // Runs the whole edit; the exit status, after printing any error. The
    // change is streamed when streamed is given, FILE exists and
    // ToolStore::streams() (the date of now: DayCount::now()).
    int editStore(const QString &file, const Change &change, const StreamedChange &streamed = {},
                  MissingFile missing = MissingFile::IsAnError);

    // streamed that runs StackFileStream::rewrite with the edit.
    static StreamedChange rewriting(StackFileStream::Edit &edit);

    // During a change: true when FILE did not exist and the store began empty.
    bool fileIsNew() const { return m_fileIsNew; }

    // The keys of the entries the KEY arguments name (see
    // EntryArguments::resolve); false, with an error naming them, when any
    // names no entry.
    static bool resolveKeys(const URLBlock &store, const std::vector<EntryArguments::Reference> &references,
                            std::vector<quint32> &keys, QString *error);

    // Each reads its arguments; false after a usage error.
    bool readKeys(const QStringList &texts, std::vector<EntryArguments::Reference> &references);
    bool readRating(const QString &text, int &rating);

    // The group named by text (position or name); false with an error when there is none.
    static bool findGroup(const URLBlock &store, const QString &text, int &group, QString *error);

    // Adds an entry to FILE in the group named by groupText, as the entry
    // editor's "Accept" does; key receives the new entry's key and, when
    // given, groupName its group's name. A FILE that does not exist is made
    // (with missing BeginsEmpty) with one group, named groupText. The exit status.
    int addEntry(const QString &file, const QString &groupText, EntryOperations::NewEntry entry, QString *key,
                 QString *groupName = nullptr, MissingFile missing = MissingFile::IsAnError);

    // The help paragraph shared by the commands that change FILE.
    static QString lockAndBackupHelp();

private:
    class AddEdit;

    // The group a new FILE begins with; false with an error for an empty name.
    static bool makeFirstGroup(URLBlock &store, const QString &file, const QString &name, QString *error);

    bool m_fileIsNew = false;
};
