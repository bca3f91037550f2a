// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The library's shell services: the named folders and the "Tessaly In Startup
// Folder" option. The startup shortcut is an XDG autostart desktop entry,
// "org.orvane.Tessaly.desktop" in the Startup folder, so that the desktop
// starts the program at the next login.
namespace ShellHelpers {

// The program's desktop file id and icon name, as installed.
QString desktopId();

// The folder of a CSIDL number (6 Favorites, 7 Startup, 8 Recent)
// without a trailing separator; "" for any other number.
QString getSpecialFolder(int csidl);

// "<Startup folder>/org.orvane.Tessaly.desktop".
QString startupShortcutPath();

// "<Startup folder>/Tessaly.desktop", the entry earlier versions wrote: it
// counts as the startup shortcut, and unchecking the option removes it too.
QString earlierStartupShortcutPath();

// Either file exists and is not empty.
bool startupShortcutExists();

// Writes the desktop entry that starts programPath, atomically. Nothing is
// written when the path is unknown (""), not absolute, or cannot stand in
// an entry's Exec key. False when nothing was written.
bool createStartupShortcut(const QString &programPath);

// Not wanted: a non-empty entry (of either name) is deleted (an empty one is
// left as it is).
// Wanted: the entry is written when it does not exist. Returns whether it
// exists afterwards.
bool setStartupShortcut(bool wanted, const QString &programPath);

// The entry's text for programPath; "" when the path cannot be written
// (empty, relative, or holding "=", which the Exec key's program may not hold).
QByteArray desktopEntryText(const QString &programPath);

// An argument of an Exec key as the file holds it: always quoted, with
// ", `, $ and \ escaped by a backslash and % doubled, then the string
// escapes of every value (\\, \n, \t, \r) applied over that.
QString execArgument(const QString &argument);

}  // namespace ShellHelpers
