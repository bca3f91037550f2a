// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class EntryListHost;
class MainMenus;
class Prompter;
class QWidget;
class UrlOpener;
struct AppState;

// The commands on the selected rows of the active entry list: remove, rate,
// move, shortcuts in the favorites folder, opening an entry and the sort
// menu. Each collects the selected rows' keys, changes their entries through
// the core, and changes only the rows it touched: deleted, deselected or
// rewritten in place, never a refill. A row whose entry is gone is left as
// it is.
class SelectionCommands : public QObject
{
    Q_OBJECT

public:
    SelectionCommands(AppState &state, Prompter &prompter, EntryListHost &host, UrlOpener &opener,
                      QWidget *mainWindow);

    void setOpener(UrlOpener &opener) { m_opener = &opener; }

    // Connects the menu commands that these handle.
    void connectMenus(const MainMenus &menus);

    // "Remove": asks "Confirm Delete" when rows are selected, then removes.
    void removeCommand();
    void removeSelected();
    void rateSelected(int rating);
    // Moves the selected rows' entries into a group; rows that leave the
    // group list's group are removed from the list, the others rewritten.
    void moveSelected(int group);
    // "Bookmarks Folder": an internet shortcut for each selected row.
    void sendSelectedToFolder();
    // "Send": the current row's address in the browser (window 0 the last
    // active one, 1 a new one); the visit is not counted.
    void sendCurrent(int window);
    // A double click: the current row's entry opened and its visit counted.
    void openCurrent();
    // The same for the entry of a key, shown or not.
    void openEntry(quint32 key);
    // The sort menu's item: as a first click on its column.
    void sortByMenuItem(int item);
    // A click on a column header: the first click on a column sorts it in
    // its natural order, the next click on the same column reverses it.
    void sortByColumnClick(int column);

private:
    // Opens an address that passes the address rule in the browser's most
    // recently active window (0) or a new one; says why not otherwise.
    bool openAddress(const QString &address, int window = 0);
    void sortActiveList(int column, int order);

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_host;
    UrlOpener *m_opener;
    QWidget *m_mainWindow;
};
