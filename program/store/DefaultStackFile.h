// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LongWork.h"

#include <QString>
#include <chrono>
#include <memory>

class StackFileLock;
class URLBlock;

// The default stack file (stackBase + ".tsy") and its backup (stackBase + ".bak").
//
// While the store holds the default file's content, this object holds the
// file's lock (StackFileLock), so that no other writer (a tsy command)
// changes the file under the program and loses its work or ours: Populate
// takes the lock and keeps it, also when the file does not exist yet (the
// store will be saved there); DePopulate takes it when it is not held; the
// window calls releaseLock() when it empties the store.
//
// A save never drops what the file holds without being told to: when the
// store does not hold the file's content (it was not loaded, could not be
// read, or the store was emptied or replaced since) and the file holds
// groups or entries, the store is merged into the file (the file's content
// first) unless the caller asks to replace it.
class DefaultStackFile
{
public:
    // How long Populate and DePopulate wait for a tsy command that holds the lock.
    static constexpr std::chrono::milliseconds lockWait {3000};

    // What a save does with a file whose content the store does not hold.
    enum class UnloadedContent { Merge, Replace };

    DefaultStackFile(URLBlock &store, const QString &stackBase);
    ~DefaultStackFile();  // releases the lock
    DefaultStackFile(const DefaultStackFile &) = delete;
    DefaultStackFile &operator=(const DefaultStackFile &) = delete;

    QString stackBase() const { return m_stackBase; }
    // Another stack base releases the lock of the previous default file.
    void setStackBase(const QString &stackBase);
    QString path() const;
    QString backupPath() const;

    // Loads the default stack file into the emptied store and holds its lock.
    // When another writer keeps the lock beyond lockWait, the file is not
    // read: the store is emptied and the error text says who has the file. A
    // lock that cannot be made at all (the folder is missing or not writable)
    // is one no other writer can take: the file is read without it.
    // progress hears of the bytes read; when it says stop, nothing is loaded
    // and the file counts as not loaded (later saves merge into it).
    bool Populate(double now, QString *error = nullptr, const LongWork::Progress &progress = {});

    // Populate in two steps, for a load that runs while the program goes on
    // (StackFileLoad, which fills a store of its own). beginPopulate empties
    // the store and takes the lock; false (with the error) when another
    // writer keeps it: the file is not to be read. endPopulate says whether
    // the store now holds the file's content: it was read whole into the
    // store, or the file is not there. A load that failed or was dropped
    // half-way ends with endPopulate(false), so later saves merge into the
    // file instead of replacing what was not loaded.
    bool beginPopulate(QString *error = nullptr);
    void endPopulate(bool loaded);

    // Saves the store to the default stack file, the previous file becoming
    // the backup; takes the lock first when it is not held, and nothing is
    // written without it. A store with neither groups nor entries writes
    // nothing. A file whose content the store does not hold is merged into
    // or replaced as unloaded says; one that cannot be read is never merged
    // into (the save fails, the file stays).
    // When the new file cannot be written completely the previous file, the
    // backup and the change count stay as they were.
    bool DePopulate(QString *error = nullptr, UnloadedContent unloaded = UnloadedContent::Merge);

    // Pending changes are written when autoSave is on (and the store has
    // groups or entries), merged into a file whose content the store does
    // not hold; with autoSave off they are dropped. False only when the
    // write failed: the changes then stay pending.
    bool shouldSaveUrls(bool autoSave, QString *error = nullptr);

    // True when the file holds groups or entries that the store does not:
    // a save that replaced it would drop them.
    bool holdsUnloadedContent() const;

    // What the last save did beyond the usual, for the user: that it merged
    // the store into the file. Empty after a plain save.
    QString lastSaveNote() const { return m_saveNote; }

    // The store no longer holds the file's content (another file was loaded
    // into it): later saves merge.
    void forgetLoadedContent() { m_holdsContent = false; }

    // Gives the default file's lock back so that other writers may change the
    // file: to be called whenever the store is emptied (flush, unload, eject)
    // and no longer holds the file's content. Nothing happens when the lock is
    // not held. A later Populate or DePopulate takes it again.
    void releaseLock();
    bool holdsLock() const;

private:
    bool takeLock(QString *error);
    bool mergeIntoFile(QString *error);

    URLBlock &m_store;
    QString m_stackBase;
    bool m_holdsContent = false;            // the store holds the file's content
    QString m_saveNote;
    std::unique_ptr<StackFileLock> m_lock;  // the lock of path()
};
