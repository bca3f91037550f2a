// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SettingsCodec.h"
#include "WindowRect.h"

#include <optional>

// The widths of a window's frame (title bar and borders) around its client
// area, in twips.
struct FrameMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const FrameMargins &) const = default;
};

// What the settings need of the main window: its geometry in twips, the
// screen it is on, the layout it saves, and the calls that apply loaded
// settings. The main window implements it; tests use a double.
class MainWindowSettingsHost
{
public:
    virtual ~MainWindowSettingsHost() = default;

    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The desktop's work area (the screen less its panels); nullopt when the
    // desktop does not say.
    virtual std::optional<WindowRect> workArea() const = 0;
    // The window's frame; all zero until the window manager has framed it.
    virtual FrameMargins frameMargins() const = 0;
    // The smallest client area the window can take (its layout's minimum).
    virtual int minimumWidth() const = 0;
    virtual int minimumHeight() const = 0;

    // The window's normal (restored) rectangle: top and left of its frame,
    // width and height of its client area.
    virtual WindowRect geometry() const = 0;
    virtual void setGeometry(const WindowRect &rect) = 0;

    // The state saved with the settings (column widths of the active list,
    // tabs, panels, the chosen group).
    virtual SettingsCodec::MainWindowLayout layout() const = 0;
    virtual int columnCount() const = 0;

    // Applying loaded settings, in the order the settings are read.
    virtual void setAdvMode(int advMode) = 0;
    virtual void setTabPlacement(int placement) = 0;
    virtual void selectTab(int tab) = 0;
    virtual void setColumnWidth(int column, int width) = 0;
    virtual void fullScrnRefresh() = 0;
    virtual void selectGroupItem(int group) = 0;
    virtual void setTopmost(bool onTop) = 0;
    virtual void setFilterAdvanced(bool expanded) = 0;
    // The last steps: filter sections opened as slideMask says, pictures,
    // panel layout and a refill of the entry list.
    virtual void finishLoadConfig(int slideMask) = 0;
};
