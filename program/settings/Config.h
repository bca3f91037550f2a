// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"
#include "SettingsCodec.h"
#include "WindowRect.h"

class MainWindowSettingsHost;
struct FrameMargins;

// The main window's settings: "CF" and "CH" written from the window and read
// back into it, and the window's place on the screen.
class Config
{
public:
    explicit Config(AppSettings &settings);

    void saveConfig(MainWindowSettingsHost &window);
    void loadConfig(MainWindowSettingsHost &window);
    // Bottom right of the work area, keeping the window's size.
    void dockMainWindow(MainWindowSettingsHost &window);
    // Moves the window so that its whole frame is on the work area (once the
    // window manager has framed a window placed before its frame was known).
    static void keepOnWorkArea(MainWindowSettingsHost &window);
    // The remembered group of "CF" field 6 (0 when none); also kept in lastIDX2.
    int restoreGroupSelection();

    // The settings that "CF" and "CH" hold, without a window (tsy).
    static void applyCf(AppSettings &settings, const SettingsCodec::CfFields &cf);
    static void applyCh(AppSettings &settings, const QString &ch);
    // Writes "CF" and "CH" (the key is created when missing).
    static void writeConfig(const AppSettings &settings, const SettingsCodec::MainWindowLayout &layout);

    // The desktop's work area, or the whole screen when the desktop does not say.
    static WindowRect workAreaOf(const MainWindowSettingsHost &window);
    // A window rectangle (frame top-left, client size) pulled into the work
    // area so that its whole frame is on it; sizes below the minimum get the
    // default size, and no size is below the window's own minimum.
    static WindowRect clampedToScreen(WindowRect rect, const MainWindowSettingsHost &window);
    // Only moved, so that the frame is on the area; a window larger than the
    // area keeps its title bar and left edge on it.
    static WindowRect keptOnArea(WindowRect rect, const WindowRect &area, const FrameMargins &frame);

    static constexpr int minimumHeight = 2380;
    static constexpr int defaultHeight = 3624;
    static constexpr int minimumWidth = 2496;
    static constexpr int defaultWidth = 5208;

private:
    AppSettings &m_settings;
};
