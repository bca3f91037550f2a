// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DesktopWindows.h"
#include "X11Display.h"

// The desktop's windows as an EWMH window manager lists them on X11: its
// stacking list for the order, the ICCCM and EWMH properties for titles,
// classes and process ids, the _NET_ACTIVE_WINDOW request for activation.
class X11DesktopWindows : public DesktopWindows
{
public:
    X11DesktopWindows();

    // False without an X server, without a window manager that keeps a client
    // list, and in a Wayland session, whose native windows X11 cannot see.
    bool available() const override;
    QList<Window> topLevelWindows() override;
    QString windowTitle(WindowId window) override;
    bool activate(WindowId window, int waitMs) override;
    WindowId activeWindow() override;

private:
    struct Atoms
    {
        X11Display::Atom clientList = 0;
        X11Display::Atom clientListStacking = 0;
        X11Display::Atom activeWindow = 0;
        X11Display::Atom wmName = 0;
        X11Display::Atom utf8String = 0;
        X11Display::Atom wmPid = 0;
        X11Display::Atom wmState = 0;
        X11Display::Atom wmStateHidden = 0;
    };

    QList<X11Display::WindowId> stackingBottomToTop();
    bool describe(WindowId window, Window *description);
    bool isHidden(WindowId window);
    QString iccmName(WindowId window);

    X11Display m_display;
    Atoms m_atoms;
    bool m_wayland = false;
};
