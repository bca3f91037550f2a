// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// What the targets of file readers share: a QCoreApplication (the SQL
// driver is a plugin), and one temporary folder per process where an input
// is written as the file a reader opens.
namespace FuzzFolder {

// Makes the application on the first call.
void ensureApplication();

// The temporary folder, made on the first call (removed at the process's end).
QString path();

// Writes bytes as the file name in the folder (replacing it) and returns its path.
QString write(const QString &name, const QByteArray &bytes);

}  // namespace FuzzFolder
