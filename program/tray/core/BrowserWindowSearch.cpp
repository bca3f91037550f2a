// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserWindowSearch.h"

BrowserWindowSearch::BrowserWindowSearch(DesktopWindows &windows, int platformId)
    : m_windows(windows)
    , m_platformId(platformId)
{ }

bool BrowserWindowSearch::enumTitleProc(const DesktopWindows::Window &window, WindowId *found)
{
    // Titles are read whole: a long page title would push the browser's name,
    // which tells its window, past any fixed length.
    if (!BrowserTitles::isBrowserTitle(window.title))
        return true;
    *found = window.id;
    return false;
}

bool BrowserWindowSearch::enumFrameProc(const DesktopWindows::Window &window, WindowId *found) const
{
    if (window.id != m_ieFrameWindow && window.id != m_cabinetWindow)
        return true;
    *found = window.id;
    return false;
}

BrowserWindowSearch::WindowId BrowserWindowSearch::findByTitle()
{
    WindowId found = 0;
    if (!m_windows.available())
        return found;
    for (const DesktopWindows::Window &window : m_windows.topLevelWindows()) {
        if (!enumTitleProc(window, &found))
            break;
    }
    return found;
}

std::optional<QString> BrowserWindowSearch::activateBrowserWindow(int waitMs)
{
    const WindowId window = findByTitle();
    if (!window || !m_windows.activate(window, waitMs))
        return std::nullopt;
    const QString title = m_windows.windowTitle(window);
    if (!BrowserTitles::isBrowserTitle(title))
        return std::nullopt;
    return title;
}

std::optional<BrowserWindowSearch::BrowserWindow> BrowserWindowSearch::findIEWindow()
{
    if (!m_windows.available())
        return std::nullopt;
    const QList<DesktopWindows::Window> windows = m_windows.topLevelWindows();
    WindowId found = 0;
    if (m_platformId == 2) {
        // The first browser window by its class (a browser's own dialogs and
        // picture-in-picture windows share it, so its title must be a browser's
        // too), and the first with a browser's title.
        m_ieFrameWindow = 0;
        m_cabinetWindow = 0;
        for (const DesktopWindows::Window &window : windows) {
            if (!m_ieFrameWindow && BrowserTitles::isBrowserTitle(window.title)
                && BrowserTitles::familyOf(QString(), window.className, window.instanceName)
                    != BrowserTitles::Family::None)
                m_ieFrameWindow = window.id;
            if (!m_cabinetWindow && BrowserTitles::isBrowserTitle(window.title))
                m_cabinetWindow = window.id;
        }
        for (const DesktopWindows::Window &window : windows) {
            if (!enumFrameProc(window, &found))
                break;
        }
    } else {
        for (const DesktopWindows::Window &window : windows) {
            if (!enumTitleProc(window, &found))
                break;
        }
    }
    if (!found)
        return std::nullopt;
    for (const DesktopWindows::Window &window : windows) {
        if (window.id != found || !window.visible)
            continue;
        return BrowserWindow {window.id,
                              BrowserTitles::familyOf(window.title, window.className, window.instanceName),
                              BrowserTitles::pageTitle(window.title), true};
    }
    return std::nullopt;
}
