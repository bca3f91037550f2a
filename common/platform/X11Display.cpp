// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11Display.h"

#include <X11/Xlib.h>
#include <cstring>

namespace {

// Set by the error handler while a trap is open; one X connection per
// thread at most takes part in a trap at a time (the user-interface thread).
thread_local bool trappedError = false;

int recordError(Display *, XErrorEvent *)
{
    trappedError = true;
    return 0;
}

// The longest property read, in 32-bit units: titles of any sensible length fit.
constexpr long longestProperty = 16 * 1024 * 1024;

}  // namespace

X11Display::X11Display()
    : m_display(XOpenDisplay(nullptr))
{ }

X11Display::~X11Display()
{
    if (m_display)
        XCloseDisplay(m_display);
}

X11Display::WindowId X11Display::root() const
{
    return m_display ? DefaultRootWindow(m_display) : 0;
}

X11Display::Atom X11Display::atom(const char *name) const
{
    return m_display ? XInternAtom(m_display, name, False) : None;
}

void X11Display::beginTrap()
{
    XSync(m_display, False);
    trappedError = false;
    XSetErrorHandler(recordError);
}

bool X11Display::endTrap()
{
    XSync(m_display, False);
    // The handler stays installed: Xlib's default one ends the process on any
    // error, and an error may still arrive for a request made outside a trap.
    return !trappedError;
}

QByteArray X11Display::property(WindowId window, Atom property, Atom *actualType)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    QByteArray bytes;
    const bool ok = trap([&] {
        if (XGetWindowProperty(m_display, window, property, 0, longestProperty, False, AnyPropertyType, &type,
                               &format, &items, &remaining, &data)
            != Success)
            data = nullptr;
    });
    if (ok && data && format) {
        const qsizetype itemSize = format == 32 ? qsizetype(sizeof(long)) : format / 8;
        bytes = QByteArray(reinterpret_cast<const char *>(data), qsizetype(items) * itemSize);
    }
    if (data)
        XFree(data);
    if (actualType)
        *actualType = ok ? type : None;
    return bytes;
}

QList<unsigned long> X11Display::longs(WindowId window, Atom property)
{
    const QByteArray bytes = this->property(window, property);
    QList<unsigned long> values(bytes.size() / qsizetype(sizeof(long)));
    // An empty list has no storage: memcpy may not be given its null pointer, even for no bytes.
    if (!values.isEmpty())
        std::memcpy(values.data(), bytes.constData(), size_t(values.size()) * sizeof(long));
    return values;
}
