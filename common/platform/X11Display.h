// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>

// Our own connection to the X server that DISPLAY names, apart from the one
// Qt may hold, so that a program without a QGuiApplication (tsy) can use it
// too. With no reachable X server the connection is simply absent.
//
// X protocol errors (a window that went away between two requests) never
// end the program: each request that may fail runs under trap(), which
// reports the error instead.
class X11Display
{
public:
    using Handle = struct _XDisplay;
    using Atom = unsigned long;
    using WindowId = unsigned long;

    X11Display();
    ~X11Display();
    X11Display(const X11Display &) = delete;
    X11Display &operator=(const X11Display &) = delete;

    Handle *handle() const { return m_display; }
    bool isOpen() const { return m_display != nullptr; }
    WindowId root() const;
    Atom atom(const char *name) const;

    // Runs the requests of work, waits for the server to have handled them,
    // and returns false when any of them raised an X error.
    template<typename Work> bool trap(Work &&work)
    {
        beginTrap();
        work();
        return endTrap();
    }

    // A property's raw items (8-, 16- or 32-bit items as the property holds,
    // 32-bit ones widened to unsigned long as Xlib gives them); the type found
    // in actualType when given. Empty when the window or property is missing.
    QByteArray property(WindowId window, Atom property, Atom *actualType = nullptr);
    // A property of 32-bit items (WINDOW[], CARDINAL, ATOM[]).
    QList<unsigned long> longs(WindowId window, Atom property);

private:
    void beginTrap();
    bool endTrap();

    Handle *m_display = nullptr;
};
