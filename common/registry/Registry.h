#pragma once

#include "RegistryHive.h"

#include <QString>

#include <functional>

// Where the hives live and how they are changed: each hive is a REGEDIT4
// file in $XDG_CONFIG_HOME/Tessaly/ named after its root. A change reads the
// file afresh under a lock file, applies the change and writes the file
// atomically, so the program, its library and tsy never undo each other's
// writes.
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
// be locked or could not be written.
bool changeHive(quint32 hive, const std::function<bool(RegistryHive &)> &change, QString *error = nullptr);

} // namespace Registry
