// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MenuRules.h"

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar and pop-up menus. Every command is a QAction
// with its own object name (mnu...), so the window connects handlers and
// tests find commands by name. Pop-up menus share the menu bar's actions, so
// a command's check mark and enabled state are the same everywhere.
class MainMenus : public QObject
{
    Q_OBJECT

public:
    explicit MainMenus(QMainWindow *window);

    // File
    QMenu *mnuOpenUrls = nullptr;
    QAction *mnuOpenDefault = nullptr;
    QAction *mnuOpenAs = nullptr;
    QMenu *mnuMergeFrom = nullptr;
    QAction *mnuMergeTsy = nullptr;
    QAction *mnuMergeFavorites = nullptr;
    QAction *mnuMergeNetscape = nullptr;
    QAction *mnuMergeXbel = nullptr;
    QMenu *mnuMergeFirefox = nullptr;   // lists the profiles found as it opens
    QMenu *mnuMergeChromium = nullptr;
    QMenu *mnuSaveUrls = nullptr;
    QAction *mnuSaveDefault = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuSaveXbel = nullptr;
    QAction *mnuLoadAll = nullptr;
    QAction *mnuSaveAll = nullptr;
    QAction *mnuEject = nullptr;
    QAction *mnuHide = nullptr;
    QAction *mnuFree = nullptr;    // "Flush to Tray"
    QAction *mnuUnload = nullptr;

    // Entries
    QMenu *mnuAddEntry = nullptr;
    QAction *mnuFromBrowser = nullptr;
    QAction *mnuNewEntry = nullptr;
    QAction *mnuEdit = nullptr;
    QAction *mnuMove = nullptr;
    QMenu *mnuRate = nullptr;
    QList<QAction *> mnuRateItems;  // "Not Rated" .. "Very High": the item is the rating
    QMenu *mnuSend = nullptr;
    QList<QAction *> mnuSendItems;  // "Last Active", "New Window"
    QAction *mnuBookmarksFolder = nullptr;
    QAction *mnuRemove = nullptr;
    QAction *mnuDuplicates = nullptr;
    QAction *mnuQuickOpen = nullptr;  // Ctrl+K
    QAction *mnuCheckLinks = nullptr;       // the selected entries' addresses
    QMenu *mnuFind = nullptr;
    QAction *mnuFindFind = nullptr;
    QAction *mnuFindNext = nullptr;
    QAction *mnuFindPrevious = nullptr;
    QMenu *mnuSort = nullptr;
    QList<QAction *> mnuSortItems;  // object name "mnuSortz_<item>"
    QAction *mnuListAll = nullptr;

    // Groups (the group menu, also shown by the group buttons)
    QMenu *mnuList = nullptr;
    QAction *mnuGroupSeparator = nullptr;
    QAction *mnuNewGroup = nullptr;
    QAction *mnuRenameGroup = nullptr;
    QAction *mnuRemoveGroup = nullptr;
    QAction *mnuCheckGroupLinks = nullptr;  // the current group's addresses

    // Settings
    QAction *mnuPreferences = nullptr;
    QAction *mnuLoadSettings = nullptr;
    QAction *mnuSaveSettings = nullptr;
    QAction *mnuFullwindow = nullptr;

    // Help
    QAction *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;

    // Pop-up menus: the entry lists' and the group list's.
    QMenu *mnuPopup = nullptr;
    QMenu *mnuIPop = nullptr;
    QAction *mnuIPopNew = nullptr;
    QAction *mnuIPopRename = nullptr;
    QAction *mnuIPopRemove = nullptr;
    QAction *mnuIPopCheckLinks = nullptr;

    // Enables and shows the commands as the rules decided.
    void apply(const MenuRules::States &states);
    MenuRules::States states() const { return m_states; }

    // Commands whose work comes with a later release: present, following the
    // enabled rules, but doing nothing yet.
    QList<QAction *> pendingCommands() const { return m_pending; }

private:
    QAction *command(QMenu *menu, const char *name, const QString &caption, bool pending = false);
    QMenu *subMenu(QMenu *parent, const char *name, const QString &title);

    MenuRules::States m_states;
    QList<QAction *> m_pending;
};
