// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The desktop's top-level windows, as the window search of the browser
// capture and launch sees them: their titles, activation. On X11 the window
// manager's client list; where no such list can be had (native Wayland, no
// window manager) available() is false and the list is empty.
class DesktopWindows
{
public:
    using WindowId = quint64;

    struct Window
    {
        WindowId id = 0;
        QString title;         // _NET_WM_NAME, else WM_NAME
        QString instanceName;  // WM_CLASS: instance ("Navigator"), class ("firefox-esr")
        QString className;
        qint64 pid = 0;        // _NET_WM_PID; 0 when unknown
        bool visible = true;   // mapped and not minimised
    };

    virtual ~DesktopWindows() = default;

    virtual bool available() const = 0;
    // The top-level windows in Z order, top-most first, as an enumeration of
    // the top-level windows gives them.
    virtual QList<Window> topLevelWindows() = 0;
    // The window's title as it is now; "" when the window is gone.
    virtual QString windowTitle(WindowId window) = 0;
    // Asks the window manager to make window the active (foreground) window
    // and waits up to waitMs for it to be; true when it is.
    virtual bool activate(WindowId window, int waitMs) = 0;
    virtual WindowId activeWindow() = 0;
};
