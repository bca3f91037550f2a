// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BrowserServices.h"
#include "BrowserWindowSearch.h"

#include <QString>

class LaunchHost;
struct AppSettings;

// Hands an address to the preferred browser (pB): "WWW_OpenURL" to Netscape
// or Opera, the browser window found on the desktop or keystrokes into its
// address bar for Internet Explorer, and the browser's program from "App
// Paths" when all else fails. Only an address that passes the address rule
// is handed on, as one argument; any other opens nothing.
class BrowserLaunch
{
public:
    // DDE attempts before the program is started instead.
    static constexpr int ddeAttempts = 3;
    static constexpr int activateWaitMs = 500;

    // host may be null (tsy): nothing to focus or hide then.
    BrowserLaunch(const AppSettings &settings, int platformId, BrowserServices services, LaunchHost *host);

    // Opens address in the most recently active window (newWindow 0) or a
    // new one. False with an error text when the address is refused or no
    // browser could be started.
    bool openURL(const QString &address, int newWindow, QString *error = nullptr);

    // Pastes the address into the address bar of the browser window found by
    // its title; false when there is none.
    bool pasteURLByKeys(const QString &url);
    // Opens the address in the browser window found on the desktop, else starts the program.
    bool navigateIE(const QString &url, QString *error);
    // Starts the preferred browser's program from "App Paths" with the address.
    bool shellOpenURL(const QString &url, QString *error);

    // The program file name of a browser number in "App Paths"; "" for others.
    static QString appFileName(int browser);

private:
    void hideStep();

    const AppSettings &m_settings;
    BrowserServices m_services;
    LaunchHost *m_host;
    BrowserWindowSearch m_search;
};
