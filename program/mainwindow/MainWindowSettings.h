#pragma once

#include "MainWindowSettingsHost.h"

class MainWindow;

// The main window as the settings see it: geometry in twips on its screen,
// the layout it saves and the calls that apply loaded settings.
class MainWindowSettings : public MainWindowSettingsHost
{
public:
    explicit MainWindowSettings(MainWindow &window);

    int screenWidth() const override;
    int screenHeight() const override;
    std::optional<int> workAreaHeight() const override;
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

    MainWindow &m_window;
};
