// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BrowserServices.h"
#include "BrowserWindowSearch.h"

class CaptureEditor;
struct AppState;

// Takes the page that a running browser shows into the entry editor. The
// settings choose the way: keystrokes into the browser's address bar (uSK),
// the browser window's own properties (pB 0), or the "WWW_GetWindowInfo"
// conversation with the preferred browser and then the others (pB 1, 2).
// The window ways read a Firefox window's address from its session store when
// that shows the window's page, and use keys (and the clipboard) only when not.
// Nothing happens while a prompt or dialog of the main window is open.
class BrowserCapture
{
public:
    // How long the keystroke capture waits for the clipboard to change.
    static constexpr int clipboardWaitMs = 1000;
    // How long it waits for the browser's window to become active.
    static constexpr int activateWaitMs = 500;
    // DDE attempts before the capture gives up.
    static constexpr int ddeAttempts = 3;

    BrowserCapture(AppState &state, BrowserServices services, CaptureEditor &editor);

    // The capture entry point; true when the editor was shown.
    bool getBrowserURL();
    bool grabURLByKeys();
    bool grabURLFromIE();
    // Asks the browsers from number browser on (wrapping from 2 to 0); true
    // when one answered and the editor was shown.
    bool grabURLByDde(int browser);

    // The active window's address, copied from its address bar by keys; ""
    // when the clipboard did not change in time. The user's clipboard is put
    // back afterwards, in every format it held.
    QString copyAddressByKeys();

private:
    QString locationURL(const BrowserWindowSearch::BrowserWindow &window);
    // The address from Firefox's session store when the window is Firefox's
    // and the session shows the page titled pageTitle; "" otherwise.
    QString sessionURL(BrowserTitles::Family family, const QString &pageTitle);

    AppState &m_state;
    BrowserServices m_services;
    CaptureEditor &m_editor;
    BrowserWindowSearch m_search;
};
