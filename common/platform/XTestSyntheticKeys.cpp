// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XTestSyntheticKeys.h"

#include "VirtualKeys.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

XTestSyntheticKeys::XTestSyntheticKeys()
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    m_hasXTest = m_display.isOpen()
        && XTestQueryExtension(m_display.handle(), &eventBase, &errorBase, &major, &minor);
}

bool XTestSyntheticKeys::send(const QList<KeyEvent> &events)
{
    if (!m_hasXTest)
        return false;
    QList<KeyCode> codes;
    for (const KeyEvent &event : events) {
        const KeySym symbol = VirtualKeys::keysym(event.virtualKey);
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(m_display.handle(), symbol);
        if (code == 0)
            return false;
        codes.append(code);
    }
    return m_display.trap([&] {
        for (qsizetype i = 0; i < events.size(); ++i)
            XTestFakeKeyEvent(m_display.handle(), codes.at(i), events.at(i).release ? False : True,
                              CurrentTime);
    });
}
