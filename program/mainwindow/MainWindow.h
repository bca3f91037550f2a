// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DefaultStackFile.h"
#include "EntryListHost.h"
#include "StoreScreen.h"
#include "ViewState.h"

#include <QMainWindow>

#include <memory>

class AdvancedView;
class FromBrowserCommand;
class EntryDialogCommands;
class SelectionCommands;
class UrlOpener;
class EntryListModel;
class EntryListView;
class EntryPages;
class FileDialogControl;
class GroupCommands;
class IndexPanelCommands;
class LongWorkRunner;
class MainMenus;
class MainWindowSettings;
class PreferencesCommands;
class QuickAddCommand;
class Prompter;
class QTabBar;
class StackCommands;
class StandardView;
class StatusMessageBar;
class TrayWindowSettingsHost;
class UndoHistory;
struct AppState;

// The main window: the Standard and Advanced tabs with their entry lists and
// the index panel (EntryPages), the menus and the status bar. It turns events into calls on
// the core and shows the results; the decisions are the core's.
class MainWindow : public QMainWindow, public EntryListHost, public StoreScreen
{
    Q_OBJECT

public:
    MainWindow(AppState &state, Prompter &prompter, TrayWindowSettingsHost *tray, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The steps of loading the window: view state, settings or docking, the
    // default stack file, the lists. Ends with mainWindowReady set and
    // loaded emitted. inSlices: the stack file is read while the event loop
    // runs (see StackCommands::openDefaultInSlices) and load() returns
    // before it ends; meanwhile isLoading() holds and the store stays empty.
    void load(bool inSlices = false);

    AppState &state() { return m_state; }
    ViewState &view() { return m_view; }
    Prompter &prompter() { return m_prompter; }
    MainMenus *menus() const { return m_menus; }
    StandardView *standardView() const;
    AdvancedView *advancedView() const;
    QTabBar *tabStrip() const;
    DefaultStackFile &defaultStack() { return m_defaultStack; }
    EntryListModel *activeModel() const override;
    EntryListView *activeList() const override;
    int appliedIndexMode() const override { return m_view.appliedMode; }
    SelectionCommands *selectionCommands() const { return m_selection; }
    EntryDialogCommands *entryDialogCommands() const { return m_entryDialogs; }
    // "From Browser": the capture of the browser's current page.
    FromBrowserCommand *captureCommand() const { return m_capture; }
    // What opens addresses (the desktop's browser unless a test gives another).
    void setUrlOpener(UrlOpener *opener);
    UrlOpener &urlOpener() const { return *m_opener; }
    PreferencesCommands *preferences() const { return m_preferences; }
    // Shows long work (loads, merges, Save As) and lets the user cancel it.
    LongWorkRunner *longWork() const { return m_longWork; }
    // The undo history of the changes to the store ("Edit").
    UndoHistory *undoHistory() const { return m_undo; }

    // Called by the library's settings object by name: the registered path
    // of a program (its App Paths entry), and a help page by context number.
    Q_INVOKABLE QString gcfg_findCurrentVersion(const QString &exeName, const QString &valueName);
    Q_INVOKABLE void out_ShowHelpID(int contextId, int hWnd);

    // Refills the active entry list from the store with the group choice and filters.
    void RefreshURLPage() override;
    void fullScrnRefresh(bool refill) override;
    void refillGroupLines() override;
    void buildMainScrn() override;
    void UpdatePanel() override;
    void UpdateMenus() override;
    // The group whose entries the list shows; -1 when none is chosen.
    int GetSelectedIndex() const;
    // The current group of the tab shown; negative when none is chosen.
    int getCurrentIDX() const override;
    void fillGroupList(bool force) override;
    void buildFilterScrn() override;
    // Chooses a group in the tab shown.
    void selectGroupItem(int group) override;
    void switchTab(int tab);
    void setAdvMode(int advMode);
    void setTabPlacement(int placement);
    // Adds an entry "<Quick Add>" for an address to the current group (as a drop does).
    void quickAdd(const QString &address);
    void toggleFullWindow();
    void setFilterAdvanced(bool expanded);
    // Chooses a group in the Standard tab's combo as the user does: "List
    // All" is cleared and the list refilled.
    void chooseGroupInCombo() override;

    // A store is about to be loaded in place of the one shown.
    void clearEntryLists() override;
    // Empties the store and the lists; the default stack file is not touched.
    void flushEverything();
    // Pending changes written as the settings say, then the layout when aSS
    // is on. False when the automatic save failed: the changes are still pending.
    bool saveIfChanged(QString *error = nullptr);
    // A message in the status bar until the next one.
    void showStatus(const QString &text) override;
    void saveConfig() override;
    void loadConfig() override;
    void restoreGroupSelection() override;

    // Unloads the window: saves as the settings say and empties the store.
    // When the automatic save fails the window stays loaded (and hidden) so
    // nothing is lost; at the program's end the store is then written to a
    // file of its own in the data folder instead. False when it stayed loaded.
    bool unloadWindow(bool programEnding = false);
    TrayWindowSettingsHost *trayHost() const { return m_tray; }
    // True while load() runs, and while its stack file is read in slices.
    bool isLoading() const override { return m_loading; }

signals:
    // load() has ended: the window may be shown.
    void loaded();
    // The tray's "Flush" follows whether the window is loaded.
    void flushAvailable(bool available);
    // The window has unloaded: the store is empty; the tray releases it.
    void unloaded();
    // "Unload": the program ends.
    void programEndRequested();
    // An automatic save did more than the usual (see
    // DefaultStackFile::lastSaveNote); the window may be about to go, so the tray says so.
    void stackFileNoted(const QString &note);
    // The floating button's picture may have to change.
    void buttonStateChanged();
    // The status bar shows the store's entries again (their number may have changed).
    void totalShown();
    // Applied options: the floating button shown or hidden, or its setting
    // (aI) flipped by the tray window with the button.
    void floatingButtonShown(bool shown);
    void activeIconToggled();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showNoGroups();
    void buildWindow();
    void connectEntryCommands();
    void hideWhenDeactivated();
    void showStartNotes();
    void finishLoad();

    AppState &m_state;
    Prompter &m_prompter;
    TrayWindowSettingsHost *m_tray = nullptr;
    ViewState m_view;
    DefaultStackFile m_defaultStack;

    MainMenus *m_menus = nullptr;
    EntryPages *m_entryPages = nullptr;
    StatusMessageBar *m_statusBar = nullptr;
    FileDialogControl *m_fileDialog = nullptr;
    GroupCommands *m_groupCommands = nullptr;
    StackCommands *m_stackCommands = nullptr;
    IndexPanelCommands *m_indexPanel = nullptr;
    LongWorkRunner *m_longWork = nullptr;
    std::unique_ptr<UrlOpener> m_desktopOpener;
    UrlOpener *m_opener = nullptr;
    SelectionCommands *m_selection = nullptr;
    EntryDialogCommands *m_entryDialogs = nullptr;
    FromBrowserCommand *m_capture = nullptr;
    PreferencesCommands *m_preferences = nullptr;
    QuickAddCommand *m_quickAdd = nullptr;
    UndoHistory *m_undo = nullptr;
    std::unique_ptr<MainWindowSettings> m_settingsHost;
    bool m_unloading = false;
    bool m_loading = false;
};
