// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Internet-shortcut files (.url), as the favorites folder holds them.
namespace UrlFileReader {

// Shortcut files are a few hundred bytes; a longer file is not a shortcut.
constexpr qint64 maxShortcutBytes = qint64(1) << 20;

// The value of the URL= key of the [InternetShortcut] section, wherever that
// section stands in the file; keys and section names in any case, the first
// URL= of the section counting. "" when the file cannot be read or has none.
// UTF-16 files (with their byte-order mark) are read as well as UTF-8 and
// Windows-1252 ones.
QString readUrlFile(const QString &fileName);
// The same for a path given as the file system's bytes (a name need not be
// valid UTF-8).
QString readUrlFileAt(const QByteArray &path);
// The same, but nothing when path is no shortcut that can be read: not a
// regular file (a FIFO, a device, a link that leads nowhere), not readable,
// or longer than maxShortcutBytes.
std::optional<QString> readShortcutAt(const QByteArray &path);

// The same for the file's bytes.
QString urlOfShortcut(QByteArrayView bytes);

}  // namespace UrlFileReader
