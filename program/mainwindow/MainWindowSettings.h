// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MainWindowSettingsHost.h"

#include <QMargins>

class MainWindow;
class QObject;

// The main window as the settings see it: geometry in twips on its screen,
// the layout it saves and the calls that apply loaded settings. The window is
// placed by its frame; a window placed before the window manager had framed
// it is moved onto the work area again once its frame is known.
class MainWindowSettings : public MainWindowSettingsHost
{
public:
    explicit MainWindowSettings(MainWindow &window);
    ~MainWindowSettings() override;

    int screenWidth() const override;
    int screenHeight() const override;
    std::optional<WindowRect> workArea() const override;
    FrameMargins frameMargins() const override;
    int minimumWidth() const override;
    int minimumHeight() const override;
    WindowRect geometry() const override;
    void setGeometry(const WindowRect &rect) override;
    SettingsCodec::MainWindowLayout layout() const override;
    int columnCount() const override;
    void setAdvMode(int advMode) override;
    void setTabPlacement(int placement) override;
    void selectTab(int tab) override;
    void setColumnWidth(int column, int width) override;
    void fullScrnRefresh() override;
    void selectGroupItem(int group) override;
    void setTopmost(bool onTop) override;
    void setFilterAdvanced(bool expanded) override;
    void finishLoadConfig(int slideMask) override;

private:
    int toTwips(int pixels) const;
    int toPixels(int twips) const;
    QMargins framePixels() const;
    void whenFrameMayHaveChanged();

    MainWindow &m_window;
    QObject *m_frameWatcher = nullptr;
    bool m_placed = false;           // placed by the settings, frame not yet checked
    FrameMargins m_placedWithFrame;  // the frame known when it was placed
};
