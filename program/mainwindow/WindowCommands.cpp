// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListView.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "StandardView.h"
#include "TrayConfig.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>

WindowCommands::WindowCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    connectTabs();
    connectMenus();
    connectButtonsAndLists();
}

void WindowCommands::connectTabs()
{
    QTabBar *tabs = m_window.tabStrip();
    // Only a left click (or the tab keys below) switches tabs: the tab
    // strip's own keys would move it away from the view it shows (the pages
    // keep the wheel from it).
    tabs->setFocusPolicy(Qt::NoFocus);
    connect(tabs, &QTabBar::tabBarClicked, this, [this, tabs](int index) {
        if (index >= 0 && (QGuiApplication::mouseButtons() & Qt::LeftButton))
            m_window.switchTab(index + 1);
        else
            tabs->setCurrentIndex(m_window.view().currentTab - 1);
    });
    // The keyboard reaches the tabs as a click does: Ctrl+Tab and
    // Ctrl+PgDn go to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp to the
    // previous one (with two tabs, both the other one).
    const auto otherTab = [this] {
        m_window.switchTab(m_window.view().currentTab == ViewState::AdvancedTab ? ViewState::StandardTab
                                                                                : ViewState::AdvancedTab);
    };
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, &m_window), &QShortcut::activated, this, otherTab);
}

void WindowCommands::connectMenus()
{
    const MainMenus *menus = m_window.menus();
    // The window sees these before its lists (which would select all rows).
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), &m_window), &QShortcut::activated, menus->mnuNewEntry,
            &QAction::trigger);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), &m_window), &QShortcut::activated, menus->mnuFromBrowser,
            &QAction::trigger);
    connect(menus->mnuHide, &QAction::triggered, &m_window, &QWidget::close);
    connect(menus->mnuFree, &QAction::triggered, this, [this] {
        m_window.state().hideOnClose = false;
        m_window.unloadWindow();
    });
    connect(menus->mnuUnload, &QAction::triggered, this, [this] {
        m_window.state().hideOnClose = false;
        m_window.unloadWindow(true);
        emit m_window.programEndRequested();
    });
    connect(menus->mnuEject, &QAction::triggered, this, &WindowCommands::ejectBookmarks);
    connect(menus->mnuListAll, &QAction::triggered, this, [this](bool checked) {
        m_window.view().listAll = checked;
        m_window.RefreshURLPage();
    });
    connect(menus->mnuFullwindow, &QAction::triggered, this, [this] { m_window.toggleFullWindow(); });
    connect(menus->mnuLoadSettings, &QAction::triggered, this, [this] {
        if (m_window.trayHost())
            TrayConfig(m_window.state().settings).earlyConfig(*m_window.trayHost());
        m_window.loadConfig();
    });
    connect(menus->mnuSaveSettings, &QAction::triggered, this, [this] {
        if (m_window.trayHost())
            TrayConfig(m_window.state().settings).lateSave(*m_window.trayHost());
        m_window.saveConfig();
    });
    // Commands whose work comes with later releases: present, not yet acting.
    for (QAction *action : menus->pendingCommands())
        action->setToolTip(tr("Not available yet"));
}

void WindowCommands::connectButtonsAndLists()
{
    StandardView *standard = m_window.standardView();
    connect(standard->groupCombo(), &QComboBox::activated, this, [this] { m_window.chooseGroupInCombo(); });
    // The right button on "Rating Filters" shows the sort menu.
    QPushButton *ratingFilters = standard->ratingFilterButton();
    ratingFilters->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ratingFilters, &QWidget::customContextMenuRequested, this, [this, ratingFilters](const QPoint &pos) {
        m_window.UpdateMenus();
        WindowHelpers::popUp(m_window.menus()->mnuSort, ratingFilters->mapToGlobal(pos));
    });
    connect(standard->groupMenuButton(), &QPushButton::clicked, this, [this] {
        m_window.activeList()->setFocus();
        m_window.UpdateMenus();
        WindowHelpers::popUp(m_window.menus()->mnuList, QCursor::pos());
    });
    for (EntryListView *list : {standard->list(), m_window.advancedView()->list()}) {
        connect(list, &EntryListView::contextMenuWanted, this, [this](const QPoint &pos) {
            m_window.UpdateMenus();
            WindowHelpers::popUp(m_window.menus()->mnuPopup, pos);
        });
    }
}

void WindowCommands::ejectBookmarks()
{
    // When the automatic save fails the store stays, as with a flush: an
    // emptied store would lose the changes for good.
    QString error;
    if (!m_window.saveIfChanged(&error)) {
        m_window.showStatus(tr("Not ejected, the bookmarks could not be saved: %1").arg(error));
        return;
    }
    const QString note = m_window.defaultStack().lastSaveNote();
    m_window.flushEverything();
    m_window.UpdatePanel();
    if (!note.isEmpty())
        m_window.showStatus(note);
}
