// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the connection monitor changes in the tray window: the floating
// button's visibility, stacking and picture, and the main window.
class MonitorHost
{
public:
    virtual ~MonitorHost() = default;

    // Whether the floating button is meant to be shown (the process-wide aI flag).
    virtual bool floatingButtonShown() const = 0;
    virtual void showTrayWindow() = 0;
    virtual void hideTrayWindow() = 0;
    virtual void setTrayTopmost(bool onTop) = 0;
    // Sets the main window's state to normal, loading it when it is not
    // loaded; shown only when show is true.
    virtual void restoreMainWindow(bool show) = 0;
    // Unloads the main window (its unload saves as the settings say).
    virtual void unloadMainWindow() = 0;
    // Draws the button and its tool tip for the current state.
    virtual void ButtonState(int pressed) = 0;
};
