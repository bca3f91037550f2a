// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserOpener.h"

#include "AppState.h"
#include "BrowserLaunch.h"
#include "EntryListHost.h"
#include "ListSelection.h"
#include "WindowHelpers.h"

BrowserOpener::BrowserOpener(AppState &state, EntryListHost &host, QWidget *mainWindow)
    : m_state(state)
    , m_host(host)
    , m_mainWindow(mainWindow)
{ }

bool BrowserOpener::open(const QUrl &url, QString *error)
{
    return openInWindow(url, 0, error);
}

bool BrowserOpener::openInWindow(const QUrl &url, int newWindow, QString *error)
{
    BrowserLaunch launch(m_state.settings, m_state.platformId, m_desktop.services(), this);
    return launch.openURL(url.toString(QUrl::FullyEncoded), newWindow, error);
}

void BrowserOpener::focusSelected()
{
    if (m_host.activeList())
        ListSelection::focusSelected(m_host.activeList(), false);
}

void BrowserOpener::hideMainWindow()
{
    WindowHelpers::hideMainWindow(m_mainWindow);
}
