// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Registry.h"
#include "RegistryHive.h"
#include "URLBlock.h"

#include <QByteArray>
#include <QString>

// What the crash test and its child process (crash_saver) agree on: each
// save writes a counter into an otherwise unchanging large file, so that the
// test can tell which save a file came from and what it must hold.
namespace CrashSaves {

// The counter of a stack file is the title of its first entry (key 00001).
inline QString counterTitle(quint64 counter)
{
    return QStringLiteral("Save %1").arg(counter);
}

inline void setCounter(URLBlock &store, quint64 counter)
{
    store.urlDatas().Item(1)->Name = counterTitle(counter);  // positions count from 1
    store.countChange();
}

// The counter of the settings hive is a value of its own beside many others.
inline const QString hiveKey = QStringLiteral("Software\\Tessaly\\Crash test");

inline bool setCounter(RegistryHive &hive, quint64 counter)
{
    RegistryHive::Value value;
    value.name = QStringLiteral("Counter");
    value.text = counterTitle(counter);
    hive.createKey(hiveKey);
    return hive.setValue(hiveKey, value);
}

}  // namespace CrashSaves
