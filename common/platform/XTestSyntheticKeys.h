// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SyntheticKeys.h"
#include "X11Display.h"

// Key events made by the X server's XTest extension, as if typed: they go to
// the window that has the keyboard focus.
class XTestSyntheticKeys : public SyntheticKeys
{
public:
    XTestSyntheticKeys();

    bool available() const { return m_hasXTest; }
    // Nothing is sent when any key of events has no key code on this keyboard.
    bool send(const QList<KeyEvent> &events) override;

private:
    X11Display m_display;
    bool m_hasXTest = false;
};
