// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RegistryHive.h"

#include <QString>

#include <functional>
#include <memory>

class QLockFile;

// One hive held for the span of a command: the file is read (and parsed)
// once, and for writing it stays locked throughout. While the session is
// open, the registry procedures called in this thread read the held copy and
// apply their changes to it, each change written to the file at once; so a
// command that reads or writes several values parses the hive once and takes
// its lock once. Sessions are scoped objects; one per hive at a time.
//
// A deferred session holds the lock like a writing one but applies the
// changes to its copy only, and writes the hive once, with one flush to
// disk, when it closes, and only when its text changed: the program's end,
// which sets several values, rewrites the file once.
class HiveSession
{
public:
    enum Mode { Reading, Writing, Deferred };

    HiveSession(quint32 hive, Mode mode);
    ~HiveSession();
    HiveSession(const HiveSession &) = delete;
    HiveSession &operator=(const HiveSession &) = delete;

    // False when the hive could not be read or, for writing, not locked;
    // errorString() says why, naming the file. It also tells why the last
    // change could not be written.
    bool isOpen() const { return m_open; }
    QString errorString() const { return m_error; }

    // The open session of this thread that holds hive, or null.
    static HiveSession *active(quint32 hive);

    // Writes the changes of a deferred session (when there are any) and ends
    // it; later changes go to the file as without a session. False when the
    // write failed (errorString() says why). The destructor closes too.
    bool close();

    const RegistryHive &contents() const { return m_contents; }
    bool holdsLock() const { return m_lock != nullptr; }
    // A change under the held lock: applied to a copy, written (deferred: at
    // the close), then kept.
    bool change(const std::function<bool(RegistryHive &)> &edit, QString *error);
    // What a change made without the lock (in a reading session) wrote.
    void setContents(const RegistryHive &contents) { m_contents = contents; }

private:
    quint32 m_hive;
    RegistryHive m_contents;
    std::unique_ptr<QLockFile> m_lock;
    bool m_open = false;
    bool m_deferred = false;
    QByteArray m_writtenText;  // under the lock: the hive's text as in the file
    QString m_error;
    HiveSession *m_outer = nullptr;  // the session opened before this one
};
