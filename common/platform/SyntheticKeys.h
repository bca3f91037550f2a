// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

// Synthetic key presses and releases, sent to whichever window has the
// keyboard focus (X11: XTest). Keys are named by their Windows virtual-key
// codes (0x11 Ctrl, 0x12 Alt, 0x0D Enter, 0x1B Escape, 0x75 F6, letters and
// digits by their upper-case character), which the implementation maps to
// the display's key codes.
class SyntheticKeys
{
public:
    struct KeyEvent
    {
        quint8 virtualKey = 0;
        bool release = false;  // false: pressed (flags 0), true: released (flags 2)
    };

    virtual ~SyntheticKeys() = default;

    // Sends the events in order; false when they could not be sent (no
    // display, a key the keyboard cannot type).
    virtual bool send(const QList<KeyEvent> &events) = 0;
};
