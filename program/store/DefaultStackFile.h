#pragma once

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
class DefaultStackFile
{
public:
    // How long Populate and DePopulate wait for a tsy command that holds the lock.
    static constexpr std::chrono::milliseconds lockWait {3000};

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
    // When the file is there but cannot be read, it is not replaced by a later
    // save (the store was not filled from it) until it has been read. When
    // another writer keeps the lock beyond lockWait, the file is not read
    // either: the store is emptied, the error text says who has the file, and
    // the file counts as not read. A lock that cannot be made at all (the
    // folder is missing or not writable) is one no other writer can take:
    // the file is read without it.
    bool Populate(double now, QString *error = nullptr);

    // Saves the store to the default stack file, the previous file becoming
    // the backup; takes the lock first when it is not held, and nothing is
    // written without it. A store with neither groups nor entries writes
    // nothing. When the new file cannot be written completely the previous
    // file, the backup and the change count stay as they were.
    bool DePopulate(QString *error = nullptr);

    // Pending changes are written when autoSave is on (and the store has
    // groups or entries); with autoSave off they are dropped. False only when
    // the write failed: the changes then stay pending.
    bool shouldSaveUrls(bool autoSave, QString *error = nullptr);

    // Gives the default file's lock back so that other writers may change the
    // file: to be called whenever the store is emptied (flush, unload, eject)
    // and no longer holds the file's content. Nothing happens when the lock is
    // not held. A later Populate or DePopulate takes it again.
    void releaseLock();
    bool holdsLock() const;

private:
    bool takeLock(QString *error);

    URLBlock &m_store;
    QString m_stackBase;
    QString m_unreadFile;                   // a default file that exists but could not be read
    std::unique_ptr<StackFileLock> m_lock;  // the lock of path()
};
