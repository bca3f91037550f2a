// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "WindowRect.h"

// What the settings need of the tray window. The tray window implements it;
// tests use a double.
class TrayWindowSettingsHost
{
public:
    virtual ~TrayWindowSettingsHost() = default;

    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    virtual WindowRect trayGeometry() const = 0;  // twips
    virtual void moveTrayWindow(int top, int left) = 0;
    // Shows or hides the notification-area icon for the dTI setting.
    virtual void setTrayIcon(bool disableTrayIcon) = 0;
    // Shows the floating button.
    virtual void showActiveIcon() = 0;
};
