// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text layer of a hive file: how its bytes become lines and back.
//
// Hives are REGEDIT4 files in UTF-8 (lines that are not valid UTF-8 read as
// Windows-1252). A file that the Windows registry editor saved ("Windows
// Registry Editor Version 5.00") is UTF-16LE with a byte-order mark and CR LF
// line ends; it is read as well, and written back in the same form.
namespace HiveText {

enum class Encoding { Utf8, Utf16Le };

// UTF-16LE when the file starts with its byte-order mark followed by an
// ASCII character (every header is ASCII), or, without the mark, when its
// first two characters are ASCII in UTF-16LE; UTF-8 otherwise.
Encoding detectEncoding(const QByteArray &bytes);

// The logical lines of a file: line ends removed, and a line whose last
// non-blank character is "\" joined with the trimmed next line, as hex lists
// are continued. Key lines and comments are never continued. The file's last
// line keeps such a backslash, as there is nothing for it to join (a file cut
// off in a value). Linear in the size of the file.
QStringList logicalLines(const QByteArray &bytes, Encoding encoding);

// Whether a line's last non-blank character is "\", which joins the next
// line to it when the file is read.
bool continues(const QString &line);

// The file's bytes for a text whose lines end in "\n": UTF-8, or UTF-16LE
// with a byte-order mark and CR LF line ends.
QByteArray encode(const QString &text, Encoding encoding);

}  // namespace HiveText
