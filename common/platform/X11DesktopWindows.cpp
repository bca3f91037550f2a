// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11DesktopWindows.h"

#include <QDeadlineTimer>
#include <QThread>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool inWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// The text of an ICCCM text property: STRING is Latin-1, UTF8_STRING UTF-8,
// COMPOUND_TEXT converted by Xlib; bytes Xlib cannot convert are read as Latin-1.
QString decodeTextProperty(Display *display, XTextProperty &property, Atom utf8String)
{
    const QByteArray bytes(reinterpret_cast<const char *>(property.value), qsizetype(property.nitems));
    if (property.format != 8)
        return QString();
    if (property.encoding == utf8String)
        return QString::fromUtf8(bytes);
    if (property.encoding == XA_STRING)
        return QString::fromLatin1(bytes);
    char **list = nullptr;
    int count = 0;
    QString text;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list) {
        for (int i = 0; i < count; ++i)
            text += QString::fromUtf8(list[i]);
    } else {
        text = QString::fromLatin1(bytes);
    }
    if (list)
        XFreeStringList(list);
    return text;
}

}  // namespace

X11DesktopWindows::X11DesktopWindows()
    : m_wayland(inWaylandSession())
{
    if (!m_display.isOpen())
        return;
    m_atoms.clientList = m_display.atom("_NET_CLIENT_LIST");
    m_atoms.clientListStacking = m_display.atom("_NET_CLIENT_LIST_STACKING");
    m_atoms.activeWindow = m_display.atom("_NET_ACTIVE_WINDOW");
    m_atoms.wmName = m_display.atom("_NET_WM_NAME");
    m_atoms.utf8String = m_display.atom("UTF8_STRING");
    m_atoms.wmPid = m_display.atom("_NET_WM_PID");
    m_atoms.wmState = m_display.atom("_NET_WM_STATE");
    m_atoms.wmStateHidden = m_display.atom("_NET_WM_STATE_HIDDEN");
}

bool X11DesktopWindows::available() const
{
    if (!m_display.isOpen() || m_wayland)
        return false;
    // Only a running window manager keeps the client list on the root window.
    auto *self = const_cast<X11DesktopWindows *>(this);
    X11Display::Atom type = None;
    self->m_display.property(m_display.root(), m_atoms.clientList, &type);
    return type != None;
}

QList<X11Display::WindowId> X11DesktopWindows::stackingBottomToTop()
{
    QList<unsigned long> windows = m_display.longs(m_display.root(), m_atoms.clientListStacking);
    if (windows.isEmpty())
        windows = m_display.longs(m_display.root(), m_atoms.clientList);
    return windows;
}

QList<DesktopWindows::Window> X11DesktopWindows::topLevelWindows()
{
    QList<Window> windows;
    if (!available())
        return windows;
    const QList<X11Display::WindowId> stacking = stackingBottomToTop();
    // The window manager lists bottom to top; an enumeration gives the top-most first.
    for (auto it = stacking.crbegin(); it != stacking.crend(); ++it) {
        Window window;
        if (describe(*it, &window))
            windows.append(window);
    }
    return windows;
}

bool X11DesktopWindows::describe(WindowId window, Window *description)
{
    XWindowAttributes attributes {};
    XClassHint hint {};
    const bool exists = m_display.trap([&] {
        if (!XGetWindowAttributes(m_display.handle(), window, &attributes))
            attributes.map_state = IsUnmapped;
        XGetClassHint(m_display.handle(), window, &hint);
    });
    description->id = window;
    description->instanceName = hint.res_name ? QString::fromLocal8Bit(hint.res_name) : QString();
    description->className = hint.res_class ? QString::fromLocal8Bit(hint.res_class) : QString();
    if (hint.res_name)
        XFree(hint.res_name);
    if (hint.res_class)
        XFree(hint.res_class);
    if (!exists)
        return false;  // gone since the window manager listed it
    const QList<unsigned long> pid = m_display.longs(window, m_atoms.wmPid);
    description->pid = pid.isEmpty() ? 0 : qint64(pid.first());
    description->title = windowTitle(window);
    description->visible = attributes.map_state != IsUnmapped && !isHidden(window);
    return true;
}

bool X11DesktopWindows::isHidden(WindowId window)
{
    return m_display.longs(window, m_atoms.wmState).contains(m_atoms.wmStateHidden);
}

QString X11DesktopWindows::windowTitle(WindowId window)
{
    if (!m_display.isOpen())
        return QString();
    X11Display::Atom type = None;
    const QByteArray utf8 = m_display.property(window, m_atoms.wmName, &type);
    if (type == m_atoms.utf8String && !utf8.isEmpty())
        return QString::fromUtf8(utf8);
    return iccmName(window);
}

QString X11DesktopWindows::iccmName(WindowId window)
{
    XTextProperty property {};
    bool found = false;
    m_display.trap([&] { found = XGetWMName(m_display.handle(), window, &property) != 0; });
    if (!found || !property.value)
        return QString();
    const QString title = decodeTextProperty(m_display.handle(), property, m_atoms.utf8String);
    XFree(property.value);
    return title;
}

bool X11DesktopWindows::activate(WindowId window, int waitMs)
{
    if (!available())
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = m_atoms.activeWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source: a pager, which window managers obey without a user time
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = long(activeWindow());
    m_display.trap([&] {
        XSendEvent(m_display.handle(), m_display.root(), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    });
    const QDeadlineTimer deadline(waitMs);
    while (activeWindow() != window) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

DesktopWindows::WindowId X11DesktopWindows::activeWindow()
{
    if (!m_display.isOpen())
        return 0;
    const QList<unsigned long> active = m_display.longs(m_display.root(), m_atoms.activeWindow);
    return active.isEmpty() ? 0 : active.first();
}
