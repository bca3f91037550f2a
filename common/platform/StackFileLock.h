// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <chrono>

// The lock beside a stack file that every writer of the file takes around its
// whole load-modify-save: the file's path followed by ".lock" (beside the
// real file when the path is a link). The lock itself is the system's
// advisory lock (flock) on that file, so it ends with the process that holds
// it: a lock file left behind by a killed writer, empty or naming a dead
// process, never blocks the next writer. The lock file names its holder, so
// that a writer that does not get the lock can say who has it; it is removed
// when the lock is released.
//
// Two objects lock each other out also within one process.
class StackFileLock
{
public:
    // Who holds a lock: the program while its store holds the file's content,
    // or a tsy command for one load-modify-save.
    enum class Holder { Unknown, Program, Tool };

    // A lock of stackFile (not yet taken) for the holder self.
    StackFileLock(const QString &stackFile, Holder self);
    ~StackFileLock();  // releases the lock
    StackFileLock(const StackFileLock &) = delete;
    StackFileLock &operator=(const StackFileLock &) = delete;

    // Takes the lock; while another writer has it, tries again until wait has
    // passed. A lock held by the program is not waited for: the program keeps
    // it for as long as its store holds the file. True at once when this
    // object holds the lock already. When false, heldByOther() tells whether
    // another writer has the lock (then holder() names it) or the lock file
    // could not be made at all (no such folder, no access), and errorString()
    // says so naming the file.
    bool tryLock(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

    bool heldByOther() const { return m_busy; }
    Holder holder() const { return m_holder; }
    QString errorString() const { return m_error; }

    QString stackFile() const { return m_stackFile; }

private:
    enum class Attempt { Locked, Busy, Failed };
    Attempt attempt();
    void setBusy(int fd);
    void setFailed(int code);

    QString m_stackFile;
    Holder m_self;
    QString m_lockPath;  // the lock file while the lock is held
    int m_fd = -1;
    bool m_busy = false;
    Holder m_holder = Holder::Unknown;
    QString m_error;
};
