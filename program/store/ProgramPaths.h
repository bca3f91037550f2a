// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Where the program's files are: its own folder, the folder of its stack
// files, and its pictures.
namespace ProgramPaths {

// The folder of the program file.
QString appFolder();

// The folder of the user's stack files, $XDG_DATA_HOME/Tessaly, made when
// missing. Never the program's folder: a build folder or an installed
// prefix is no place for a user's bookmarks.
QString stackFolder();

// The default stack file's path without extension: "Pemberly" in the stack
// folder, or what the command line names (its arguments joined by blanks,
// as given). A name that holds "/" or ends in ".tsy" is a path, taken from
// the current folder: it names that file, and a path without the extension
// gets ".tsy". Any other name is a file of that name in the stack folder.
// The result ends in ".tsy" only when the file's own name does.
QString stackBase(const QString &stackFolder, const QStringList &arguments);

// The stack file and its backup of a stack base (see stackBase).
QString stackFileOf(const QString &stackBase);
QString backupFileOf(const QString &stackBase);

// Why the default stack file named by stackBase cannot be used, or nothing:
// a folder, a file that cannot be read, a folder that does not exist.
QString stackFileProblem(const QString &stackBase);

// Moves the stack file NAME.tsy and its backup NAME.bak from the folder
// earlier versions kept them in (the program's own) to the stack folder,
// unless the stack folder has such a file already. The text to tell the
// user (what was moved, or what was left behind and why), or nothing when
// nothing was there to move.
QString moveStackFilesFrom(const QString &oldFolder, const QString &stackFolder,
                           const QString &name = QStringLiteral("Pemberly"));

// A picture of the bank folder: "<folder>/uBank/<name>.bnk", beside the
// program or in the installed data folder.
QString bankFile(const QString &appFolder, const QString &name);

} // namespace ProgramPaths
