// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Paths as the file system keeps them: bytes, as a rule UTF-8, though a name
// copied from an old system may hold bytes that are not. Such a name keeps
// its bytes through a QString: each byte that is not part of a UTF-8
// character stands for itself as one character from U+DC80 to U+DCFF (an
// unpaired surrogate, which no text holds), so that a name taken from the
// command line still names its file. Paths that are UTF-8 are the usual
// QStrings.
namespace FilePaths {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView path);

// Whether path names something (through links); a link that leads nowhere
// names nothing.
bool exists(const QString &path);
bool isFolder(const QString &path);
// The path with every link resolved, absolute; empty when there is no such file.
QString canonical(const QString &path);

}  // namespace FilePaths
