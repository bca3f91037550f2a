#pragma once

#include "AppSettings.h"
#include "SettingsCodec.h"
#include "WindowRect.h"

class MainWindowSettingsHost;

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
    // The remembered group of "CF" field 6 (0 when none); also kept in lastIDX2.
    int restoreGroupSelection();

    // The settings that "CF" and "CH" hold, without a window (tsy).
    static void applyCf(AppSettings &settings, const SettingsCodec::CfFields &cf);
    static void applyCh(AppSettings &settings, const QString &ch);
    // Writes "CF" and "CH" (the key is created when missing).
    static void writeConfig(const AppSettings &settings, const SettingsCodec::MainWindowLayout &layout);

    // The height the taskbar takes at the bottom of the screen.
    static int taskbarHeight(const MainWindowSettingsHost &window);
    // A window rectangle pulled into the screen; sizes below the minimum get
    // the default size.
    static WindowRect clampedToScreen(WindowRect rect, int screenWidth, int screenHeight, int taskbarHeight);

    static constexpr int minimumHeight = 2380;
    static constexpr int defaultHeight = 3624;
    static constexpr int minimumWidth = 2496;
    static constexpr int defaultWidth = 5208;

private:
    AppSettings &m_settings;
};
