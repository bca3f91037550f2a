// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

class QFile;

// Whole-file reading and atomic writing of our own files. Errors are texts
// that name the file and, where a system call failed, give that call's own
// message ("No space left on device").
namespace FileIO {

// Opens a regular file for reading. Anything else (missing, a folder, a
// device, no access) fails with an error text that names the file.
bool openRegularFile(const QString &path, QFile *file, QString *error);

// The error text of a read of the opened file that failed.
void setReadError(const QString &path, const QFile &file, QString *error);

// Reads a regular file whole. Anything else (missing, a folder, a device, no
// access) fails with an error text that names the file.
bool readFile(const QString &path, QByteArray *contents, QString *error);

// The file that writing path replaces: path itself, or, when path is a link,
// the file at the end of its links (which need not exist yet).
QString writtenPath(const QString &path);

// Writes the bytes to a temporary file of a unique name beside the file
// (writtenPath) and renames it over that file, so that the old file stays
// whole when anything fails; an existing file keeps its permissions.
// beforeReplace runs once the new content is safely written and before the
// old file is replaced; when it returns false the old file is left as it is
// and the write fails with the error text it set. The temporary file never
// stays behind, unless the writer is killed (see removeAbandonedTemporaries).
using BeforeReplace = std::function<bool(QString *error)>;
bool saveFile(const QString &path, const QByteArray &contents, QString *error,
              const BeforeReplace &beforeReplace = {});

// The same for content made piece by piece, so that it need not be held
// whole: content hands each piece to write in order. write returns false
// once a write has failed; content may then stop early, and the save fails.
using PieceWriter = std::function<bool(QByteArrayView piece)>;
using ContentWriter = std::function<void(const PieceWriter &write)>;
bool saveFile(const QString &path, const ContentWriter &content, QString *error,
              const BeforeReplace &beforeReplace = {});

// The same for content that may find, while it is being made, that it must
// not be written after all: it returns false with its error text set, and
// the save fails at once, leaving the file as it was.
using FallibleContent = std::function<bool(const PieceWriter &write, QString *error)>;
bool saveFallibleFile(const QString &path, const FallibleContent &content, QString *error,
                      const BeforeReplace &beforeReplace = {});

// Removes the temporary files that writes of path (saveFile, or backupFile
// with path as the backup) left behind when their writer was killed
// ("path.tmp-" and eight hex digits). A temporary file that a live writer is
// still writing is kept: each writer holds the system's advisory lock on its
// file until it is renamed. It reads the whole folder: for the saves of files
// whose writers are few (a stack file under its lock), not for every save.
void removeAbandonedTemporaries(const QString &path);

// Makes backupPath a copy of path, replacing any earlier backup in one step.
// A hard link is used where the file system has them. The copy is staged
// under a unique name beside backupPath, which never stays behind.
bool backupFile(const QString &path, const QString &backupPath, QString *error);

}  // namespace FileIO
