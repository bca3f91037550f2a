// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindow.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "Config.h"
#include "BrowserOpener.h"
#include "FromBrowserCommand.h"
#include "EntryDialogCommands.h"
#include "EntryListEvents.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "EntryPages.h"
#include "FileDialogControl.h"
#include "GroupCommands.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "IndexPanelCommands.h"
#include "LongWorkRunner.h"
#include "MainMenus.h"
#include "MainWindowSettings.h"
#include "MemoryRelease.h"
#include "DuplicatesCommands.h"
#include "QuickAddCommand.h"
#include "QuickOpenCommands.h"
#include "LinkCheckCommands.h"
#include "MergeCommands.h"
#include "XbelCommands.h"
#include "PreferencesCommands.h"
#include "SelectionCommands.h"
#include "StackCommands.h"
#include "StandardView.h"
#include "StatusMessageBar.h"
#include "UndoCommands.h"
#include "UndoHistory.h"
#include "UnsavedStore.h"
#include "WindowCommands.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <utility>

MainWindow::MainWindow(AppState &state, Prompter &prompter, TrayWindowSettingsHost *tray, QWidget *parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_prompter(prompter)
    , m_tray(tray)
    , m_defaultStack(state.store, state.stackBase)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tessaly"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
    m_undo = new UndoHistory(m_state, this);
    new UndoCommands(*this, *m_undo, *menuBar(), this);
    m_fileDialog = new FileDialogControl(m_prompter, this);
    m_groupCommands = new GroupCommands(m_state, m_prompter, *this, *m_entryPages, m_view, *m_menus, this);
    m_longWork = new LongWorkRunner(m_state, this);
    m_stackCommands = new StackCommands(m_state, m_view, m_prompter, m_defaultStack, *m_longWork, *this, *this,
                                        *m_menus, this);
    auto *merges = new MergeCommands(m_state, m_prompter, *this, *m_longWork, m_tray, *m_menus, this);
    new XbelCommands(m_state, m_prompter, *this, *m_menus, *merges, this);
    new DuplicatesCommands(m_state, m_prompter, *this, *m_menus, this);
    new LinkCheckCommands(m_state, m_prompter, *this, *m_menus, this);
    new WindowCommands(*this);
    m_indexPanel = new IndexPanelCommands(m_state, m_view, *advancedView(), *this, *this, *m_menus, this);
    connectEntryCommands();
    m_quickAdd = new QuickAddCommand(m_state, *this, {standardView()->list(), advancedView()->list()},
                                     advancedView()->indexPanel()->groupList(), this);
    new QuickOpenCommands(m_state, *this, *m_selection, *m_entryDialogs, *m_menus,
                          {standardView()->list(), advancedView()->list()}, this);
    m_settingsHost = std::make_unique<MainWindowSettings>(*this);
    m_preferences = new PreferencesCommands(m_state, *m_menus, *this, *m_opener, m_tray, this);
    connect(m_preferences, &PreferencesCommands::tabPlacementChosen, this, &MainWindow::setTabPlacement);
    connect(m_preferences, &PreferencesCommands::floatingButtonShown, this, &MainWindow::floatingButtonShown);
    connect(m_preferences, &PreferencesCommands::activeIconToggled, this, &MainWindow::activeIconToggled);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState applicationState) {
        if (applicationState == Qt::ApplicationInactive)
            hideWhenDeactivated();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    m_menus = new MainMenus(this);
    m_entryPages = new EntryPages(m_state.store, m_view, this);
    setCentralWidget(m_entryPages);
    m_statusBar = new StatusMessageBar(this);
    setStatusBar(m_statusBar);
    resize(640, 480);
}

void MainWindow::connectEntryCommands()
{
    m_desktopOpener = std::make_unique<BrowserOpener>(m_state, *this, this);
    m_opener = m_desktopOpener.get();
    m_selection = new SelectionCommands(m_state, m_prompter, *this, *m_opener, this);
    m_selection->connectMenus(*m_menus);
    m_entryDialogs = new EntryDialogCommands(m_state, m_view.filter, *this, *m_selection, this);
    m_entryDialogs->connectMenus(*m_menus);
    m_capture = new FromBrowserCommand(m_state, *m_entryDialogs, this);
    connect(m_menus->mnuFromBrowser, &QAction::triggered, m_capture, &FromBrowserCommand::getBrowserURL);
    auto *events = new EntryListEvents(*this, *m_selection, *m_menus, this);
    events->watch(advancedView()->list(), true);
    events->watch(standardView()->list(), false);
    events->watchGroupList(advancedView()->indexPanel()->groupList());
    connect(standardView()->ratingFilterButton(), &QPushButton::clicked, m_entryDialogs,
            &EntryDialogCommands::maskFilters);
}

void MainWindow::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener ? opener : m_desktopOpener.get();
    m_selection->setOpener(*m_opener);
    m_preferences->setOpener(*m_opener);
}

QString MainWindow::gcfg_findCurrentVersion(const QString &exeName, const QString &valueName)
{
    return PreferencesCommands::findCurrentVersion(exeName, valueName);
}

void MainWindow::out_ShowHelpID(int contextId, int)
{
    m_preferences->showHelpTopic(contextId);
}

StandardView *MainWindow::standardView() const
{
    return m_entryPages->standardView();
}

AdvancedView *MainWindow::advancedView() const
{
    return m_entryPages->advancedView();
}

QTabBar *MainWindow::tabStrip() const
{
    return m_entryPages->tabStrip();
}

EntryListModel *MainWindow::activeModel() const
{
    return m_entryPages->activeModel();
}

EntryListView *MainWindow::activeList() const
{
    return m_entryPages->activeList();
}

void MainWindow::load(bool inSlices)
{
    m_loading = true;
    m_state.hideOnClose = true;
    m_view = ViewState {};
    m_view.advMode = m_state.settings.advMode;
    setWindowIcon(QApplication::windowIcon());
    m_entryPages->showPage(ViewState::AdvancedTab);
    m_entryPages->applyColumnWidths(m_state.settings.columnWidths);
    if (m_state.settings.aLS)
        loadConfig();
    else
        Config(m_state.settings).dockMainWindow(*m_settingsHost);
    // The index panel is laid out for its mode, and the flip button gets its
    // picture, whether or not the layout was loaded.
    buildFilterScrn();
    advancedView()->setMiniIcons(m_state.appFolder, m_view.filterAdvanced);
    if (m_state.settings.aLU && inSlices) {
        m_stackCommands->openDefaultInSlices([this] { finishLoad(); });
        return;
    }
    if (m_state.settings.aLU)
        m_stackCommands->openStack(0);
    finishLoad();
}

void MainWindow::finishLoad()
{
    showStartNotes();
    restoreGroupSelection();
    fillGroupList(true);
    RefreshURLPage();
    emit flushAvailable(true);
    if (m_state.settings.bFW && !m_view.fullWindow)
        toggleFullWindow();
    if (m_state.settings.aI)
        emit buttonStateChanged();
    UpdatePanel();
    m_state.mainWindowReady = true;
    m_loading = false;
    emit loaded();
}

void MainWindow::RefreshURLPage()
{
    if (m_entryPages->refillActiveList())
        UpdatePanel();
}

void MainWindow::fullScrnRefresh(bool refill)
{
    if (m_view.currentTab == ViewState::AdvancedTab) {
        buildFilterScrn();
        fillGroupList(false);
        if (refill)
            RefreshURLPage();
    } else {
        buildMainScrn();
    }
    UpdatePanel();
}

void MainWindow::refillGroupLines()
{
    // Without groups the lines are not filled, and rows are never refilled:
    // what was shown (before an undone merge, say) is taken away.
    if (m_state.store.IDXList().isEmpty()) {
        showNoGroups();
        return;
    }
    if (m_view.currentTab == ViewState::AdvancedTab)
        fillGroupList(false);
    else
        buildMainScrn();
}

void MainWindow::showNoGroups()
{
    m_entryPages->clearLists();
    advancedView()->indexPanel()->groupList()->clear();
}

void MainWindow::buildMainScrn()
{
    m_entryPages->fillGroupCombo();
}

void MainWindow::UpdatePanel()
{
    m_statusBar->showCounts(activeModel()->rowCount(), m_state.store.urlDatas().Count());
    UpdateMenus();
    emit totalShown();
}

void MainWindow::UpdateMenus()
{
    MenuRules::Inputs in;
    in.groupCount = m_state.store.IDXList().groupCount();
    in.activeRows = activeModel()->rowCount();
    in.dialogState = m_state.dialogState;
    in.findTextEmpty = m_state.findText.isEmpty();
    in.currentTab = m_view.currentTab;
    in.advMode = m_view.advMode;
    m_menus->apply(MenuRules::update(in, m_menus->states()));
}

int MainWindow::GetSelectedIndex() const
{
    return m_entryPages->selectedGroup();
}

int MainWindow::getCurrentIDX() const
{
    return GetSelectedIndex();
}

void MainWindow::fillGroupList(bool force)
{
    m_entryPages->fillGroupList(force);
}

void MainWindow::buildFilterScrn()
{
    m_entryPages->buildFilterScrn();
}

void MainWindow::selectGroupItem(int group)
{
    m_entryPages->selectGroup(group);
}

void MainWindow::switchTab(int tab)
{
    if (tab == m_view.previousTab) {
        m_view.previousTab = m_view.currentTab;
        return;
    }
    const int chosen = GetSelectedIndex();
    const int old = m_view.currentTab;
    m_view.currentTab = tab;
    m_entryPages->storeColumnWidths(m_state.settings.columnWidths);
    if (old == ViewState::AdvancedTab && advancedView()->indexPanel()->groupList()->topLevelItemCount() > 0)
        m_view.lastIDX2 = chosen;
    if (old == ViewState::StandardTab) {
        if (standardView()->groupCombo()->count() > 0) {
            m_view.lastIDX2 = chosen;
            m_view.lastIDX1 = standardView()->groupCombo()->currentIndex();
        }
        m_entryPages->clearList(ViewState::StandardTab);
    }
    if (tab == ViewState::AdvancedTab)
        m_entryPages->clearList(ViewState::AdvancedTab);
    m_entryPages->showPage(tab);
    if (tab == ViewState::AdvancedTab) {
        m_view.activeList = 2;
        fillGroupList(true);
        buildFilterScrn();
    } else {
        m_view.activeList = 1;
        buildMainScrn();
        if (standardView()->groupCombo()->count() > 0)
            selectGroupItem(m_view.lastIDX2);
    }
    m_entryPages->applyColumnWidths(m_state.settings.columnWidths);
    m_view.previousTab = m_view.currentTab;
    // The entered tab's list is filled through its group choice.
    RefreshURLPage();
    UpdatePanel();
}

void MainWindow::setAdvMode(int advMode)
{
    m_indexPanel->setAdvMode(advMode);
}

void MainWindow::setTabPlacement(int placement)
{
    if (placement < 0 || placement > 3)
        return;
    m_state.settings.tP = placement;
    m_entryPages->setTabPlacement(placement);
}

void MainWindow::chooseGroupInCombo()
{
    m_view.listAll = false;
    m_menus->mnuListAll->setChecked(false);
    RefreshURLPage();
}

void MainWindow::quickAdd(const QString &address)
{
    m_quickAdd->add(address);
}

void MainWindow::toggleFullWindow()
{
    m_view.fullWindow = !m_view.fullWindow;
    m_state.settings.bFW = m_view.fullWindow;
    m_menus->mnuFullwindow->setChecked(m_view.fullWindow);
    const bool shown = !m_view.fullWindow;
    statusBar()->setVisible(shown);
    m_entryPages->showControls(shown);
}

void MainWindow::setFilterAdvanced(bool expanded)
{
    m_indexPanel->setFilterAdvanced(expanded);
}

void MainWindow::clearEntryLists()
{
    // The history ends here (a load, a flush, an unload): its steps name
    // entries by key and groups by place, which a store loaded anew gives
    // out again to other entries and groups.
    m_undo->clear();
    m_entryPages->clearLists();
}

void MainWindow::flushEverything()
{
    m_state.store.clear();
    // The store no longer holds the default file: other writers may change it.
    m_defaultStack.releaseLock();
    clearEntryLists();
    advancedView()->indexPanel()->groupList()->clear();
    m_view.lastIDX2 = 0;
    m_state.settings.lastIDX2 = 0;
    m_state.lastConnState = 0;
    m_view.previousTab = -1;
    m_state.mainWindowReady = false;
}

bool MainWindow::saveIfChanged(QString *error)
{
    m_defaultStack.setStackBase(m_state.stackBase);
    const bool saved = m_defaultStack.shouldSaveUrls(m_state.settings.aSU, error);
    if (const QString note = m_defaultStack.lastSaveNote(); !note.isEmpty())
        emit stackFileNoted(note);
    if (m_state.settings.aSS)
        saveConfig();
    return saved;
}

void MainWindow::saveConfig()
{
    m_entryPages->storeColumnWidths(m_state.settings.columnWidths);
    Config(m_state.settings).saveConfig(*m_settingsHost);
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

// What the program's start found is said once, beside what the load said.
void MainWindow::showStartNotes()
{
    if (!m_state.startNotes.isEmpty())
        m_statusBar->showNotes(std::exchange(m_state.startNotes, {}));
}

void MainWindow::loadConfig()
{
    Config(m_state.settings).loadConfig(*m_settingsHost);
}

void MainWindow::restoreGroupSelection()
{
    m_view.lastIDX2 = Config(m_state.settings).restoreGroupSelection();
}

bool MainWindow::unloadWindow(bool programEnding)
{
    if (m_unloading)
        return true;
    // A stack file still being read is dropped: the store holds none of it.
    if (m_loading) {
        m_stackCommands->cancelLoad();
        m_loading = false;
    }
    QString error;
    if (!saveIfChanged(&error)) {
        if (!programEnding) {
            m_state.hideOnClose = true;
            WindowHelpers::hideMainWindow(this);
            return false;
        }
        UnsavedStore::keep(m_state.store, error);
    }
    m_unloading = true;
    emit flushAvailable(false);
    flushEverything();
    WindowHelpers::hideMainWindow(this);
    m_state.hideOnClose = false;
    emit buttonStateChanged();
    emit unloaded();
    MemoryRelease::returnFreedMemory();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (m_state.hideOnClose || m_longWork->current()) {
        WindowHelpers::hideMainWindow(this);
        return;
    }
    unloadWindow();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && isVisible())
        WindowHelpers::hideMainWindow(this);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        toggleFullWindow();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// Switching to another application hides the main window while the floating
// button is in use, unless a prompt or dialog of the window is open.
void MainWindow::hideWhenDeactivated()
{
    if (isVisible() && m_state.settings.aI && m_state.dialogState == AppState::NoDialog)
        WindowHelpers::hideMainWindow(this);
}
