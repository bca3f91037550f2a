// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the browser launch asks of the main window: the selection narrowed
// to the current row before an address is opened, and the window hidden
// after the address went to a running browser (while the floating button
// is shown).
class LaunchHost
{
public:
    virtual ~LaunchHost() = default;

    virtual void focusSelected() = 0;
    virtual void hideMainWindow() = 0;
};
