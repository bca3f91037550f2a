// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppState.h"
#include "DesktopClipboard.h"
#include "DesktopServices.h"

#include <QTextStream>

// What capture and open share in tsy-desktop: the program's state as the
// current user's settings make it (a store of its own, platform 2), the
// desktop services, with the
// browsers' "App Paths" entries filled as the program fills them at its start
// (so that a user who never ran the program has them too), and a clipboard
// that is left as the command found it. What is put back on the clipboard is
// kept by a keeper, this program run with keeperArgument(), once tsy ends.
class DesktopSession
{
public:
    // The first argument of tsy-desktop that makes it the clipboard keeper.
    static QString keeperArgument();

    DesktopSession(const QString &commandName, QTextStream &err);

    AppState &state() { return m_state; }
    BrowserServices services();
    // Whether the command changed the clipboard and has not put it back.
    bool clipboardChanged() const { return m_clipboard.changed(); }
    // Puts back what the clipboard held before the command changed it, and
    // says on err when the clipboard could not be kept after tsy ends.
    void finish();

private:
    AppState m_state;
    QString m_commandName;
    QTextStream &m_err;
    DesktopServices m_desktop;
    DesktopClipboard m_clipboard;
};
