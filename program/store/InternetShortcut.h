// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Internet-shortcut files (".url") in the favorites folder: two lines,
// "[InternetShortcut]" and "URL=" with the address, CR LF line ends.
// Where a file goes follows the "cAF" setting: 0 nowhere, 1 a subfolder
// named after the group (made when missing), 2 the favorites folder itself,
// any other value the group's subfolder without making it.
namespace InternetShortcut {

// A title or group name as a file name: path separators, the characters
// \ / : * ? " < > | and control characters become "_"; "." and ".." are
// refused (empty result).
QString safeFileName(const QString &text);

// The file's contents.
QByteArray contents(const QString &url);

// What a shortcut file is named after: the title, or for an entry without
// one the host of its address (an address without a scheme taken as http),
// else the last part of its path, so that no file is named ".url" alone and
// hidden; empty when the address gives no name either.
QString titleForFile(const QString &title, const QString &url);

// Writes the shortcut of one entry; returns the path written, or an empty
// text when nothing was written (cAF 0, a refused name, a write error: error
// says which). No file is ever written outside favoritesFolder.
QString writeShortcut(const QString &favoritesFolder, int cAF, const QString &title, const QString &url,
                      const QString &group, QString *error = nullptr);

// The favorites folder (shell folder 6): $XDG_DATA_HOME/Tessaly/Favorites
// unless the registry moves it.
QString favoritesFolder();

} // namespace InternetShortcut
