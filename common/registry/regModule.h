// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QVariant>

// The registry procedures that everything kept in the registry goes through,
// with the statuses and value conversions of the Windows registry functions
// they stand in for. Keys are opened by path below a hive root.
namespace regModule {

constexpr quint32 REG_SZ = 1;
constexpr quint32 REG_DWORD = 4;

// Win32 statuses.
constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_INVALID_PARAMETER = 87;

// An open key: the hive and the key's path. A default handle is no key (0).
struct KeyHandle
{
    quint32 hive = 0;
    QString path;
    bool isValid() const { return hive != 0; }
};

// Opens an existing key; ERROR_FILE_NOT_FOUND (and an invalid handle) when it does not exist.
long openKey(quint32 hive, const QString &path, KeyHandle *key);

// Writes one value under an open key: REG_SZ as text, REG_DWORD as a 32-bit
// number. Another type writes nothing and gives 0.
long setValueEx(const KeyHandle &key, const QString &valueName, quint32 valueType, const QVariant &value);

// Reads one value: a string for REG_SZ, a 32-bit number for REG_DWORD. -1 for
// another type and the status for a missing value; in both cases value is
// left as it was.
long queryValueEx(const KeyHandle &key, const QString &valueName, QVariant &value);

// Creates the key (with its parents) when missing.
void createNewKey(const QString &keyPath, quint32 hive);

// Writes a value under an existing key of the current user's hive; a missing
// key makes the write fail. The status is there for callers that report it.
long setKeyValue(const QString &keyPath, const QString &valueName, const QVariant &value, quint32 valueType);

// A value of the current user's hive as text ("" when there is none; a
// REG_DWORD as its decimal digits).
QString queryValue(const QString &keyPath, const QString &valueName);

} // namespace regModule
