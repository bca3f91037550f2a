#pragma once

#include <QString>

// The library's shell services: the named folders and the "Tessaly In Startup
// Folder" option. The startup shortcut is an XDG autostart desktop entry,
// "Tessaly.desktop" in the Startup folder, so that the desktop starts the
// program at the next login.
namespace ShellHelpers {

// The folder of a CSIDL number (6 Favorites, 7 Startup, 8 Recent)
// without a trailing separator; "" for any other number.
QString getSpecialFolder(int csidl);

// "<Startup folder>/Tessaly.desktop".
QString startupShortcutPath();

// The file exists and is not empty.
bool startupShortcutExists();

// Writes the desktop entry that starts programPath, atomically. Nothing is
// written when the path is unknown (""), not absolute, or cannot stand in
// an entry's Exec key. False when nothing was written.
bool createStartupShortcut(const QString &programPath);

// Not wanted: a non-empty entry is deleted (an empty one is left as it is).
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
