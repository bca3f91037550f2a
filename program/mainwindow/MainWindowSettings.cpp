// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindowSettings.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "Config.h"
#include "EntryListColumns.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainWindow.h"
#include "WindowHelpers.h"

#include <QEvent>
#include <QHeaderView>
#include <QScreen>
#include <functional>

namespace {

// Reports the events after which the window manager may have framed the window.
class FrameWatcher : public QObject
{
public:
    FrameWatcher(QObject *window, std::function<void()> changed)
        : QObject(window)
        , m_changed(std::move(changed))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
            m_changed();
        return false;
    }

private:
    std::function<void()> m_changed;
};

}  // namespace

MainWindowSettings::MainWindowSettings(MainWindow &window)
    : m_window(window)
{
    m_frameWatcher = new FrameWatcher(&m_window, [this] { whenFrameMayHaveChanged(); });
}

MainWindowSettings::~MainWindowSettings()
{
    delete m_frameWatcher;
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

std::optional<WindowRect> MainWindowSettings::workArea() const
{
    const QRect area = m_window.screen()->availableGeometry();
    if (area.isEmpty())
        return std::nullopt;
    return WindowRect {toTwips(area.top()), toTwips(area.left()), toTwips(area.width()),
                       toTwips(area.height())};
}

// Zero until the window manager has framed the window (and while it is hidden).
QMargins MainWindowSettings::framePixels() const
{
    const QRect frame = m_window.frameGeometry();
    const QRect client = m_window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

FrameMargins MainWindowSettings::frameMargins() const
{
    const QMargins frame = framePixels();
    return {toTwips(frame.left()), toTwips(frame.top()), toTwips(frame.right()), toTwips(frame.bottom())};
}

int MainWindowSettings::minimumWidth() const
{
    return toTwips(m_window.minimumSizeHint().expandedTo(m_window.minimumSize()).width());
}

int MainWindowSettings::minimumHeight() const
{
    return toTwips(m_window.minimumSizeHint().expandedTo(m_window.minimumSize()).height());
}

WindowRect MainWindowSettings::geometry() const
{
    const QRect rect = m_window.normalGeometry().isValid() ? m_window.normalGeometry() : m_window.geometry();
    const QMargins frame = framePixels();
    return {toTwips(rect.top() - frame.top()), toTwips(rect.left() - frame.left()), toTwips(rect.width()),
            toTwips(rect.height())};
}

// The size is the client area's; move() places the frame's top-left (before
// the window is framed, the window manager is asked to put the frame there).
void MainWindowSettings::setGeometry(const WindowRect &rect)
{
    m_window.resize(toPixels(rect.width), toPixels(rect.height));
    m_window.move(toPixels(rect.left), toPixels(rect.top));
    m_placed = true;
    m_placedWithFrame = frameMargins();
}

// Placed while the frame was not known yet: once it is, the frame is kept on
// the work area (its right and bottom edges were reckoned without it).
void MainWindowSettings::whenFrameMayHaveChanged()
{
    if (!m_placed || !m_window.isVisible() || m_window.isMaximized() || m_window.isFullScreen())
        return;
    if (frameMargins() == m_placedWithFrame)
        return;
    m_placed = false;
    Config::keepOnWorkArea(*this);
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
    // A stored 0 means no width was chosen: the column fits, as when nothing is stored.
    QTreeView *list = m_window.activeList();
    list->header()->resizeSection(column,
                                  width > 0 ? toPixels(width) : EntryListColumns::fittedWidth(list, column));
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
