#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Whole-file reading and atomic writing of our own files.
namespace FileIO {

// Reads a regular file whole. Anything else (missing, a folder, a device, no
// access) fails with an error text that names the file.
bool readFile(const QString &path, QByteArray *contents, QString *error);

// Writes the bytes to a temporary file beside path and renames it over path,
// so that the old file stays whole when anything fails. beforeReplace runs
// once the new content is safely written and before the old file is
// replaced; when it returns false the old file is left as it is and the
// write fails with the error text it set.
using BeforeReplace = std::function<bool(QString *error)>;
bool saveFile(const QString &path, const QByteArray &contents, QString *error,
              const BeforeReplace &beforeReplace = {});

// Makes backupPath a copy of path, replacing any earlier backup in one step.
// A hard link is used where the file system has them.
bool backupFile(const QString &path, const QString &backupPath, QString *error);

}  // namespace FileIO
