// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The shell's named folders, addressed by their CSIDL numbers: 6 the
// favorites, 7 the programs started at login, 8 the recent documents. Each
// has a place on this desktop and may be moved by a value of the same name
// under HKCU "User Shell Folders" (a "~/" at its start is the home folder).
namespace ShellFolders {

enum Csidl : int { Favorites = 6, Startup = 7, Recent = 8 };

// "Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders".
QString userShellFoldersKey();

// The folder's path without a trailing separator; "" for a number that has no
// folder here. The folder is not created.
QString getSpecialFolder(int csidl);

} // namespace ShellFolders
