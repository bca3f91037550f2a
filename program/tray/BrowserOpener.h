// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DesktopServices.h"
#include "LaunchHost.h"
#include "UrlOpener.h"

class EntryListHost;
class QWidget;
struct AppState;

// Opens the main window's addresses in the preferred browser as the browser
// launch does (openURL): the selection narrowed to the current row first,
// the main window hidden afterwards when the floating button is shown and
// the address went to a running browser.
class BrowserOpener : public UrlOpener, private LaunchHost
{
public:
    BrowserOpener(AppState &state, EntryListHost &host, QWidget *mainWindow);

    bool open(const QUrl &url, QString *error) override;
    bool openInWindow(const QUrl &url, int newWindow, QString *error) override;

private:
    void focusSelected() override;
    void hideMainWindow() override;

    AppState &m_state;
    EntryListHost &m_host;
    QWidget *m_mainWindow;
    DesktopServices m_desktop;
};
