// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RegistryHive.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QLockFile;

// Where the hives live and how they are changed: each hive is a REGEDIT4
// file in $XDG_CONFIG_HOME/Tessaly/ named after its root. A change reads the
// file afresh under a lock file, applies the change and writes the file
// atomically, so the program, its library and tsy never undo each other's
// writes. While a HiveSession holds a hive, reads and changes of it in that
// thread use the session's copy instead of reading the file again.
namespace Registry {

enum Root : quint32 {
    HKEY_CURRENT_USER = 0x80000001,
    HKEY_LOCAL_MACHINE = 0x80000002,
};

bool isRoot(quint32 hive);
QString rootName(quint32 hive);
QString hiveFolder();
QString hiveFilePath(quint32 hive);

// The hive as stored; a missing file is an empty hive. False when the file
// exists but cannot be read.
bool readHive(quint32 hive, RegistryHive *contents, QString *error = nullptr);

// Reads the hive, lets change edit it and, when change returns true, writes
// it back. False when the hive could not be read (it is then never written,
// so a file that cannot be read is not replaced by an empty one), could not
// be locked (the error then says that the hive is locked) or could not be
// written.
bool changeHive(quint32 hive, const std::function<bool(RegistryHive &)> &change, QString *error = nullptr);

// The steps of a change, for HiveSession: the hive's lock (null when it
// could not be had), the file read without a session, the file written.
std::unique_ptr<QLockFile> lockHive(quint32 hive, QString *error);
bool readHiveFile(quint32 hive, RegistryHive *contents, QString *error);
bool writeHiveFile(quint32 hive, const RegistryHive &contents, QString *error);
bool writeHiveText(quint32 hive, const QByteArray &text, QString *error);

// How many times this process has written a hive file (each write replaces
// the file and flushes it to disk); changes that leave a hive's text as it
// was are not written.
quint64 hiveFileWrites();

// How long a writer waits for another one's lock (5 s unless set).
void setLockWait(std::chrono::milliseconds wait);

} // namespace Registry
