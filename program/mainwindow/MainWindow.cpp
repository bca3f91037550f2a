// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindow.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "Config.h"
#include "DayCount.h"
#include "BrowserOpener.h"
#include "FromBrowserCommand.h"
#include "EntryDialogCommands.h"
#include "EntryFilter.h"
#include "EntryListColumns.h"
#include "EntryListEvents.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FileDialogControl.h"
#include "FilterSection.h"
#include "GroupCommands.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "IndexPanelCommands.h"
#include "LongWorkRunner.h"
#include "MainMenus.h"
#include "MainWindowSettings.h"
#include "MemoryRelease.h"
#include "DuplicatesCommands.h"
#include "QuickOpenCommands.h"
#include "LinkCheckCommands.h"
#include "MergeCommands.h"
#include "XbelCommands.h"
#include "PreferencesCommands.h"
#include "SelectionCommands.h"
#include "StackCommands.h"
#include "StackFile.h"
#include "StandardView.h"
#include "StatusMessageBar.h"
#include "StoreRecording.h"
#include "TrayConfig.h"
#include "UndoCommands.h"
#include "UndoHistory.h"
#include "UnsavedStore.h"
#include "WindowCommands.h"
#include "WaitCursor.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>

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
    m_groupCommands = new GroupCommands(*this);
    m_longWork = new LongWorkRunner(m_state, this);
    m_stackCommands = new StackCommands(*this);
    auto *merges = new MergeCommands(m_state, m_prompter, *this, *m_longWork, m_tray, *m_menus, this);
    new XbelCommands(m_state, m_prompter, *this, *m_menus, *merges, this);
    new DuplicatesCommands(m_state, m_prompter, *this, *m_menus, this);
    new LinkCheckCommands(m_state, m_prompter, *this, *m_menus, this);
    new WindowCommands(*this);
    new IndexPanelCommands(*this);
    connectEntryCommands();
    new QuickOpenCommands(m_state, *this, *m_selection, *m_entryDialogs, *m_menus,
                          {m_standard->list(), m_advanced->list()}, this);
    m_settingsHost = std::make_unique<MainWindowSettings>(*this);
    m_preferences = new PreferencesCommands(*this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState applicationState) {
        if (applicationState == Qt::ApplicationInactive)
            hideWhenDeactivated();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    m_menus = new MainMenus(this);

    auto *central = new QWidget(this);
    auto *layout = new QBoxLayout(QBoxLayout::TopToBottom, central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("tbStrip"));
    m_tabs->addTab(tr("Advanced"));
    m_tabs->setTabToolTip(0, tr("Advanced URL View Pane"));
    m_tabs->addTab(tr("Standard", "the tab of the simple view"));
    m_tabs->setTabToolTip(1, tr("Standard URL View Pane"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_pages = new QStackedWidget(central);
    m_advanced = new AdvancedView(m_pages);
    m_standard = new StandardView(m_pages);
    m_pages->addWidget(m_advanced);
    m_pages->addWidget(m_standard);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);

    m_advancedModel = new EntryListModel(m_state.store, this);
    m_standardModel = new EntryListModel(m_state.store, this);
    m_advanced->list()->setModel(m_advancedModel);
    m_standard->list()->setModel(m_standardModel);

    m_viewedPanel = new QLabel(this);
    m_viewedPanel->setObjectName(QStringLiteral("StatusBar1_1"));
    m_totalPanel = new QLabel(this);
    m_totalPanel->setObjectName(QStringLiteral("StatusBar1_2"));
    setStatusBar(new StatusMessageBar(this));
    statusBar()->addWidget(m_viewedPanel, 1);
    statusBar()->addWidget(m_totalPanel, 1);
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
    events->watch(m_advanced->list(), true);
    events->watch(m_standard->list(), false);
    events->watchGroupList(m_advanced->indexPanel()->groupList());
    connect(m_standard->ratingFilterButton(), &QPushButton::clicked, m_entryDialogs,
            &EntryDialogCommands::maskFilters);
}

void MainWindow::setUrlOpener(UrlOpener *opener)
{
    m_opener = opener ? opener : m_desktopOpener.get();
    m_selection->setOpener(*m_opener);
}

QString MainWindow::gcfg_findCurrentVersion(const QString &exeName, const QString &valueName)
{
    return PreferencesCommands::findCurrentVersion(exeName, valueName);
}

void MainWindow::out_ShowHelpID(int contextId, int)
{
    m_preferences->showHelpTopic(contextId);
}

EntryListModel *MainWindow::activeModel() const
{
    return m_view.activeList == 1 ? m_standardModel : m_advancedModel;
}

EntryListView *MainWindow::activeList() const
{
    return m_view.activeList == 1 ? m_standard->list() : m_advanced->list();
}

void MainWindow::load(bool inSlices)
{
    m_loading = true;
    m_state.hideOnClose = true;
    m_view = ViewState {};
    m_view.advMode = m_state.settings.advMode;
    setWindowIcon(QApplication::windowIcon());
    m_pages->setCurrentWidget(m_advanced);
    m_tabs->setCurrentIndex(0);
    updateCHeaders();
    if (m_state.settings.aLS)
        loadConfig();
    else
        Config(m_state.settings).dockMainWindow(*m_settingsHost);
    // The index panel is laid out for its mode, and the flip button gets its
    // picture, whether or not the layout was loaded.
    buildFilterScrn();
    m_advanced->setMiniIcons(m_state.appFolder, m_view.filterAdvanced);
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
    const GroupTable &groups = m_state.store.IDXList();
    const int selected = GetSelectedIndex();
    if (!EntryFilter::listIsRefilled(groups, selected))
        return;
    const WaitCursor wait;
    ViewFilter filter = m_view.filter;
    filter.textMask = m_advanced->indexPanel()->filterSection()->textMask();
    const ListScope scope {selected, ListScope::allGroupsFor(m_view.listAll, m_view.currentTab, m_view.advMode)};
    const EntryFilter decision(filter, scope, groups, DayCount::now());
    activeModel()->setEntries(decision.shownEntries(m_state.store.urlDatas()));
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
    if (m_view.currentTab == ViewState::AdvancedTab)
        fillGroupList(false);
    else
        buildMainScrn();
}

void MainWindow::buildMainScrn()
{
    QComboBox *combo = m_standard->groupCombo();
    const int chosen = m_standard->selectedGroup();
    combo->clear();
    const GroupTable &groups = m_state.store.IDXList();
    for (int i = 0; i < groups.groupCount(); ++i)
        combo->addItem(groups.at(i).name, groups.at(i).number);
    // The combo keeps its group (so it names the group whose rows are
    // listed), or shows none; it does not jump to the first line.
    if (!m_standard->selectGroup(chosen))
        combo->setCurrentIndex(-1);
}

void MainWindow::UpdatePanel()
{
    m_viewedPanel->setText(tr("Viewed: %1").arg(activeModel()->rowCount()));
    m_totalPanel->setText(tr("Total: %1").arg(m_state.store.urlDatas().Count()));
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
    if (m_view.currentTab == ViewState::AdvancedTab) {
        const GroupListWidget *groups = m_advanced->indexPanel()->groupList();
        return groups->topLevelItemCount() > 0 ? groups->selectedGroup() : -1;
    }
    return m_standard->selectedGroup();
}

int MainWindow::getCurrentIDX() const
{
    return GetSelectedIndex();
}

void MainWindow::fillGroupList(bool force)
{
    const GroupTable &groups = m_state.store.IDXList();
    if (!force && !(groups.groupCount() > 0 && m_view.advMode < ViewState::FilterMode))
        return;
    GroupListWidget *list = m_advanced->indexPanel()->groupList();
    list->fill(groups, m_view.advMode == ViewState::IndexMaskMode);
    // The remembered group, or the first when it is gone.
    if (list->topLevelItemCount() > 0 && !list->selectGroup(m_view.lastIDX2))
        list->selectGroup(list->topLevelItem(0)->data(0, GroupListWidget::NumberRole).toInt());
}

void MainWindow::buildFilterScrn()
{
    m_advanced->setPanelExpanded(m_view.filterAdvanced && !m_view.fullWindow);
    m_advanced->indexPanel()->buildFilterScrn(m_view.advMode, m_view.filter);
}

void MainWindow::selectGroupItem(int group)
{
    if (m_view.currentTab == ViewState::AdvancedTab)
        m_advanced->indexPanel()->groupList()->selectGroup(group);
    else
        m_standard->selectGroup(group);
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
    storeCHeaders();
    if (old == ViewState::AdvancedTab && m_advanced->indexPanel()->groupList()->topLevelItemCount() > 0)
        m_view.lastIDX2 = chosen;
    if (old == ViewState::StandardTab) {
        if (m_standard->groupCombo()->count() > 0) {
            m_view.lastIDX2 = chosen;
            m_view.lastIDX1 = m_standard->groupCombo()->currentIndex();
        }
        m_standardModel->clear();
    }
    m_tabs->setCurrentIndex(tab - 1);
    if (tab == ViewState::AdvancedTab) {
        m_advancedModel->clear();
        m_pages->setCurrentWidget(m_advanced);
        m_view.activeList = 2;
        fillGroupList(true);
        buildFilterScrn();
    } else {
        m_pages->setCurrentWidget(m_standard);
        m_view.activeList = 1;
        buildMainScrn();
        if (m_standard->groupCombo()->count() > 0)
            selectGroupItem(m_view.lastIDX2);
    }
    updateCHeaders();
    m_view.previousTab = m_view.currentTab;
    // The entered tab's list is filled through its group choice.
    RefreshURLPage();
    UpdatePanel();
}

void MainWindow::setAdvMode(int advMode)
{
    m_view.advMode = advMode;
    m_state.settings.advMode = advMode;
}

void MainWindow::setTabPlacement(int placement)
{
    static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth, QTabBar::RoundedWest,
                                            QTabBar::RoundedEast};
    static const QBoxLayout::Direction directions[] = {QBoxLayout::TopToBottom, QBoxLayout::BottomToTop,
                                                       QBoxLayout::LeftToRight, QBoxLayout::RightToLeft};
    if (placement < 0 || placement > 3)
        return;
    m_state.settings.tP = placement;
    m_tabs->setShape(shapes[placement]);
    if (auto *layout = qobject_cast<QBoxLayout *>(centralWidget()->layout()))
        layout->setDirection(directions[placement]);
}

void MainWindow::chooseGroupInCombo()
{
    m_view.listAll = false;
    m_menus->mnuListAll->setChecked(false);
    RefreshURLPage();
}

void MainWindow::quickAdd(const QString &address)
{
    if (m_state.store.IDXList().isEmpty())
        return;
    const int group = getCurrentIDX();
    if (group < 0)
        return;
    const StoreRecording recording(m_state, tr("Quick Add"));
    URLData *entry = m_state.store.urlDatas().Add(QStringLiteral("<Quick Add>"), address, group);
    if (!entry)
        return;
    entry->Created = DayCount::now();
    m_state.store.countChange();
    activeModel()->appendEntry(*entry);
    UpdatePanel();
}

void MainWindow::toggleFullWindow()
{
    m_view.fullWindow = !m_view.fullWindow;
    m_state.settings.bFW = m_view.fullWindow;
    m_menus->mnuFullwindow->setChecked(m_view.fullWindow);
    const bool shown = !m_view.fullWindow;
    m_tabs->setVisible(shown);
    statusBar()->setVisible(shown);
    m_advanced->flipButton()->setVisible(shown);
    m_advanced->setPanelExpanded(shown && m_view.filterAdvanced);
    for (QWidget *control : {static_cast<QWidget *>(m_standard->groupCombo()),
                             static_cast<QWidget *>(m_standard->groupMenuButton()),
                             static_cast<QWidget *>(m_standard->ratingFilterButton())})
        control->setVisible(shown);
}

void MainWindow::setFilterAdvanced(bool expanded)
{
    m_view.filterAdvanced = expanded;
    m_state.settings.filterAdvanced = expanded;
    buildFilterScrn();
    m_advanced->setMiniIcons(m_state.appFolder, expanded);
}

void MainWindow::storeCHeaders()
{
    EntryListColumns::store(activeList(), m_state.settings.columnWidths, WindowHelpers::twipsPerPixel(this));
}

void MainWindow::updateCHeaders()
{
    EntryListColumns::apply(activeList(), m_state.settings.columnWidths, WindowHelpers::twipsPerPixel(this));
}

void MainWindow::clearEntryLists()
{
    // The history ends here (a load, a flush, an unload): its steps name
    // entries by key and groups by place, which a store loaded anew gives
    // out again to other entries and groups.
    m_undo->clear();
    m_standard->groupCombo()->clear();
    m_standardModel->clear();
    m_advancedModel->clear();
}

void MainWindow::flushEverything()
{
    m_state.store.clear();
    // The store no longer holds the default file: other writers may change it.
    m_defaultStack.releaseLock();
    clearEntryLists();
    m_advanced->indexPanel()->groupList()->clear();
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
    storeCHeaders();
    Config(m_state.settings).saveConfig(*m_settingsHost);
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}

// What the program's start found is said once, beside what the load said.
void MainWindow::showStartNotes()
{
    if (m_state.startNotes.isEmpty())
        return;
    QStringList notes = std::exchange(m_state.startNotes, {});
    if (!statusBar()->currentMessage().isEmpty())
        notes << statusBar()->currentMessage();
    showStatus(notes.join(QStringLiteral("; ")));
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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabs && event->type() == QEvent::Wheel)
        return true;
    return QMainWindow::eventFilter(watched, event);
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

void MainWindow::popUp(QMenu *menu, const QPoint &globalPos)
{
    // A menu whose commands are all hidden is not shown: an empty pop-up
    // would stay open, laid out empty, when its commands come back.
    const QList<QAction *> actions = menu->actions();
    if (std::none_of(actions.begin(), actions.end(),
                     [](const QAction *action) { return action->isVisible() && !action->isSeparator(); }))
        return;
    menu->popup(globalPos);
}

// Switching to another application hides the main window while the floating
// button is in use, unless a prompt or dialog of the window is open.
void MainWindow::hideWhenDeactivated()
{
    if (isVisible() && m_state.settings.aI && m_state.dialogState == AppState::NoDialog)
        WindowHelpers::hideMainWindow(this);
}
