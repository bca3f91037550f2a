#pragma once

#include <QString>

class URLBlock;

// The default stack file (stackBase + ".tsy") and its backup (stackBase + ".bak").
class DefaultStackFile
{
public:
    DefaultStackFile(URLBlock &store, const QString &stackBase);

    QString stackBase() const { return m_stackBase; }
    void setStackBase(const QString &stackBase) { m_stackBase = stackBase; }
    QString path() const;
    QString backupPath() const;

    // Loads the default stack file into the emptied store. When the file is
    // there but cannot be read, it is not replaced by a later save (the store
    // was not filled from it) until it has been read.
    bool Populate(double now, QString *error = nullptr);

    // Saves the store to the default stack file, the previous file becoming
    // the backup. An empty store writes nothing. When the new file cannot be
    // written completely the previous file, the backup and the change count
    // stay as they were.
    bool DePopulate(QString *error = nullptr);

    // Pending changes are written when autoSave is on (and the store has
    // entries and groups); with autoSave off they are dropped. False only
    // when the write failed: the changes then stay pending.
    bool shouldSaveUrls(bool autoSave);

private:
    URLBlock &m_store;
    QString m_stackBase;
    QString m_unreadFile;  // a default file that exists but could not be read
};
