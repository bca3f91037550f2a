// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class UrlOpener;

// The program's help: HTML pages shipped in the "help" folder beside the
// bank pictures (beside the program, or in the installed data folder), shown
// in the desktop's browser. A help context number names a page; 0 and any
// number without a page of its own give the first page.
namespace HelpPages {

// The page's file name: 1010 "general.html", 1020 "browser.html", 1030
// "session.html", 1040 "internet.html", else "index.html".
QString pageName(int contextId);

// "<appFolder>/help/<page>", or the installed copy under
// "<appFolder>/../share/tessaly/help"; the first when neither exists.
QString pagePath(const QString &appFolder, int contextId);

// Opens the page through opener as a file address. False, with an error
// text, when the page is missing or nothing could be started.
bool open(UrlOpener &opener, const QString &appFolder, int contextId, QString *error);

}  // namespace HelpPages
