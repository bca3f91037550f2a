#include "MainWindowSettings.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainWindow.h"
#include "WindowHelpers.h"

#include <QHeaderView>
#include <QScreen>

MainWindowSettings::MainWindowSettings(MainWindow &window)
    : m_window(window)
{
}

int MainWindowSettings::toTwips(int pixels) const
{
    return int(pixels * WindowHelpers::twipsPerPixel(&m_window) + 0.5);
}

int MainWindowSettings::toPixels(int twips) const
{
    return int(twips / WindowHelpers::twipsPerPixel(&m_window) + 0.5);
}

int MainWindowSettings::screenWidth() const
{
    return toTwips(m_window.screen()->geometry().width());
}

int MainWindowSettings::screenHeight() const
{
    return toTwips(m_window.screen()->geometry().height());
}

std::optional<int> MainWindowSettings::workAreaHeight() const
{
    const QRect area = m_window.screen()->availableGeometry();
    if (area.isEmpty())
        return std::nullopt;
    return toTwips(area.height());
}

WindowRect MainWindowSettings::geometry() const
{
    const QRect rect = m_window.normalGeometry().isValid() ? m_window.normalGeometry() : m_window.geometry();
    return {toTwips(rect.top()), toTwips(rect.left()), toTwips(rect.width()), toTwips(rect.height())};
}

void MainWindowSettings::setGeometry(const WindowRect &rect)
{
    m_window.setGeometry(toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height));
}

SettingsCodec::MainWindowLayout MainWindowSettings::layout() const
{
    const WindowRect rect = geometry();
    const ViewState &view = const_cast<MainWindow &>(m_window).view();
    SettingsCodec::MainWindowLayout layout;
    layout.top = rect.top;
    layout.left = rect.left;
    layout.width = rect.width;
    layout.height = rect.height;
    layout.currentTab = view.currentTab;
    layout.advMode = view.advMode;
    layout.tabPlacement = const_cast<MainWindow &>(m_window).state().settings.tP;
    layout.selectedGroup = m_window.GetSelectedIndex();
    layout.fullWindow = view.fullWindow;
    layout.filterAdvanced = view.filterAdvanced;
    const int slides = m_window.advancedView()->indexPanel()->filterSection()->slideMask();
    for (int i = 0; i < 5; ++i)
        layout.slideButtonsOut.append(slides & (1 << i));
    const AppSettings &settings = const_cast<MainWindow &>(m_window).state().settings;
    const QHeaderView *header = m_window.activeList()->header();
    for (int i = 0; i < header->count() && i < int(settings.columnWidths.size()); ++i)
        layout.columnWidths.append(settings.columnWidths[size_t(i)]);
    return layout;
}

int MainWindowSettings::columnCount() const
{
    return m_window.activeList()->header()->count();
}

void MainWindowSettings::setAdvMode(int advMode)
{
    m_window.setAdvMode(advMode);
}

void MainWindowSettings::setTabPlacement(int placement)
{
    m_window.setTabPlacement(placement);
}

void MainWindowSettings::selectTab(int tab)
{
    if (tab != m_window.view().currentTab)
        m_window.switchTab(tab);
}

void MainWindowSettings::setColumnWidth(int column, int width)
{
    m_window.activeList()->header()->resizeSection(column, toPixels(width));
}

void MainWindowSettings::fullScrnRefresh()
{
    m_window.fullScrnRefresh(false);
}

void MainWindowSettings::selectGroupItem(int group)
{
    m_window.selectGroupItem(group);
    m_window.view().lastIDX2 = group;
}

void MainWindowSettings::setTopmost(bool onTop)
{
    WindowHelpers::setTopmost(&m_window, onTop);
}

void MainWindowSettings::setFilterAdvanced(bool expanded)
{
    m_window.view().filterAdvanced = expanded;
}

void MainWindowSettings::finishLoadConfig(int slideMask)
{
    m_window.advancedView()->indexPanel()->filterSection()->setSlideMask(slideMask);
    m_window.setFilterAdvanced(m_window.view().filterAdvanced);
    m_window.buildFilterScrn();
    m_window.RefreshURLPage();
}
