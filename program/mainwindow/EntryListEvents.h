#pragma once

#include <QObject>

class EntryListHost;
class EntryListView;
class MainMenus;
class SelectionCommands;

// The mouse and keyboard events of the two entry lists: a double click
// opens the current entry, a click on a column header sorts, Ctrl+F, Ctrl+N
// and Ctrl+P run the find commands, and a click or an arrow key makes the
// group list (or the group combo) follow the current entry.
class EntryListEvents : public QObject
{
    Q_OBJECT

public:
    EntryListEvents(EntryListHost &host, SelectionCommands &selection, const MainMenus &menus,
                    QObject *parent = nullptr);

    // Connects one entry list; advanced: the list of the Advanced tab.
    void watch(EntryListView *list, bool advanced);

private:
    // Chooses the current entry's group in the tab shown.
    void followCurrentEntry();

    EntryListHost &m_host;
    SelectionCommands &m_selection;
    const MainMenus &m_menus;
};
