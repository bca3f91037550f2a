// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class MainWindow;

// The main window's own commands: the tab strip and its keys, "&Hide",
// "Flush to Tray", "Unload", "Eject Bookmarks", "List All", the full-window
// view, "Load Settings" and "Save Settings", the group menu button, the
// lists' pop-up menus, and the window's own key shortcuts.
class WindowCommands : public QObject
{
    Q_OBJECT

public:
    explicit WindowCommands(MainWindow &window);

    // "Eject Bookmarks": pending changes saved as the settings say, then the
    // store emptied; when the automatic save fails the store stays loaded.
    void ejectBookmarks();

private:
    void connectTabs();
    void connectMenus();
    void connectButtonsAndLists();

    MainWindow &m_window;
};
