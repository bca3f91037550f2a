// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The "App Paths" key of the local machine's hive: where each known program
// file is, by its Windows file name. The browser launch reads it to start a
// browser with an address; the options dialog reads the program's own entry
// for the startup shortcut.
namespace AppPaths {

// "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\".
QString keyPrefix();

// The value valueName ("" the key's default value) of the key
// keyPrefix() + exeName; "" when the key cannot be opened or the value is
// missing.
QString getAppPath(const QString &exeName, const QString &valueName);

// The program that opens an address in the desktop's default browser.
QString defaultBrowserOpener();

// What an entry is filled with: the first of candidates found on PATH, or
// the default-browser opener when none is installed, so that an address
// always opens somewhere.
QString programOnPath(const QStringList &candidates);

// Fills the browsers' entries that are missing ("IEXPLORE.EXE" the default
// browser opener, "Netscape.exe" Firefox, "Opera.EXE" Opera) and sets
// "TESSALY.EXE" to programPath. Entries already there are kept, so that a
// user's choice stands, except one that names the opener only because its
// browser was not installed: it gets the browser once one is on PATH. False, with an error text, when the hive could not
// be written.
bool fillAppPaths(const QString &programPath, QString *error = nullptr);

} // namespace AppPaths
