// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Creates the library's objects at run time by program identifier, as the
// program did through COM: the identifier names a key
// HKCU\Software\Classes\<ProgID>\InprocServer32 whose default value is the
// path of the library file; that file is loaded with QPluginLoader and its
// PemberlyFactory makes the object. When the identifier is not registered,
// or its registered file cannot give the object, the library found in the
// program's own folders is used and registered in its place, so that a moved
// installation keeps working. The program and tsy register their own library
// at each start (registerShippedLibrary), so that a registration left by
// another copy (a build folder's) is never used in place of it.
namespace ComponentRegistry {

// The file name of the library the program ships with.
QString libraryFileName();

// "Software\Classes\<progId>\InprocServer32".
QString serverKeyPath(const QString &progId);

// The library file registered for progId; "" when there is none.
QString registeredLibrary(const QString &progId);

// Registers every class that the library at libraryPath provides under its
// program identifier, with the library's absolute path. False, with an error
// text, when the file is not a Pemberly library or the registry cannot be
// written.
bool registerLibrary(const QString &libraryPath, QString *error = nullptr);

// Where the program looks for its own library: its folder, then the
// installed library folders relative to it.
QStringList defaultLibraryFolders();

// Registers the library shipped with the program, the first libraryFileName()
// in libraryFolders that is a Pemberly library, in place of whatever is
// registered (a build folder's library, another installation's), as each
// start of the program and of tsy does. False, with the registry untouched,
// when there is none (with an error text when a file found is not one).
bool registerShippedLibrary(const QStringList &libraryFolders = defaultLibraryFolders(),
                            QString *error = nullptr);

// A new object of the class that progId names, owned by parent (by the
// caller when parent is null). Null when no library gives it, with an error
// text naming the identifier, the files tried and why each failed.
// libraryFolders are searched for libraryFileName() when the registered
// library cannot be used.
QObject *createObject(const QString &progId, QObject *parent = nullptr, QString *error = nullptr,
                      const QStringList &libraryFolders = defaultLibraryFolders());

// Connects every signal S that source's class declares (QObject's own are
// left out) to the slot or invokable method "<variableName>_S" of host whose
// parameters accept the signal's, the way a host receives the events of an
// object held in its variable variableName. Returns how many were connected.
int connectEventsByName(QObject *source, QObject *host, const QString &variableName);

}  // namespace ComponentRegistry
