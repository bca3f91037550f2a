// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BrowserTitles.h"
#include "DesktopWindows.h"

#include <optional>

// The search for a browser's window among the desktop's top-level windows,
// in Z order, top-most first. It stands in for the shell's collection of
// browser windows: a found window is described by the properties the
// capture and launch use of the browser automation object.
class BrowserWindowSearch
{
public:
    using WindowId = DesktopWindows::WindowId;

    // The automation object of a browser window.
    struct BrowserWindow
    {
        WindowId HWND = 0;
        BrowserTitles::Family family = BrowserTitles::Family::None;
        QString LocationName;  // the page title
        bool Visible = false;
    };

    BrowserWindowSearch(DesktopWindows &windows, int platformId);

    // The window-enumeration callbacks: each stores the window in found and
    // returns false (stop) when the window is the one looked for, true
    // (continue) otherwise.
    static bool enumTitleProc(const DesktopWindows::Window &window, WindowId *found);
    bool enumFrameProc(const DesktopWindows::Window &window, WindowId *found) const;

    // The first window in Z order whose title passes the title test; 0 when none.
    WindowId findByTitle();

    // The window that keys may be sent to: the one findByTitle finds, made
    // the active window within waitMs, when its title is a browser's. Its
    // title; nullopt when there is none, it would not become active, or it
    // is not a browser's (keys then go nowhere).
    std::optional<QString> activateBrowserWindow(int waitMs);

    // The browser window found as the shell automation finds it: on platform
    // 2 the first browser window by class (ieFrameWindow) or by title
    // (cabinetWindow), else by the title test. nullopt when there is none or
    // it is not visible.
    std::optional<BrowserWindow> findIEWindow();

    WindowId ieFrameWindow() const { return m_ieFrameWindow; }
    WindowId cabinetWindow() const { return m_cabinetWindow; }

private:
    DesktopWindows &m_windows;
    int m_platformId;
    WindowId m_ieFrameWindow = 0;
    WindowId m_cabinetWindow = 0;
};
