#pragma once

#include <QString>
#include <QStringList>

// Where the program's files are: its own folder, the folder of its stack
// files, and its pictures.
namespace ProgramPaths {

// The folder of the program file.
QString appFolder();

// Stack files live beside the program when that folder is writable, and in
// $XDG_DATA_HOME/Tessaly otherwise (an installed program).
QString stackFolder(const QString &appFolder);

// The default stack file's path without extension: "Pemberly" in the stack
// folder, or the whole command line (its arguments joined by blanks, as
// given) when there is one.
QString stackBase(const QString &stackFolder, const QStringList &arguments);

// A picture of the bank folder: "<folder>/uBank/<name>.bnk", beside the
// program or in the installed data folder.
QString bankFile(const QString &appFolder, const QString &name);

} // namespace ProgramPaths
