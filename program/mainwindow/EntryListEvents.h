// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class EntryListHost;
class EntryListView;
class GroupListWidget;
class MainMenus;
class SelectionCommands;

// The mouse and keyboard events of the two entry lists: a double click or
// Enter opens the current entry, Delete removes the selected ones, a click
// on a column header sorts, Ctrl+F, Ctrl+N and Ctrl+P run the find commands
// (in the group list too), and a click or an arrow key makes the group list
// (or the group combo) follow the current entry.
class EntryListEvents : public QObject
{
    Q_OBJECT

public:
    EntryListEvents(EntryListHost &host, SelectionCommands &selection, const MainMenus &menus,
                    QObject *parent = nullptr);

    // Connects one entry list; advanced: the list of the Advanced tab.
    void watch(EntryListView *list, bool advanced);
    // The group list's find keys search the Advanced tab's entry list.
    void watchGroupList(GroupListWidget *groups);

private:
    // Chooses the current entry's group in the tab shown.
    void followCurrentEntry();
    // The find menu's item, when the menu's rules allow it.
    void find(int item);

    EntryListHost &m_host;
    SelectionCommands &m_selection;
    const MainMenus &m_menus;
};
