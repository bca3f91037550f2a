// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class EntryListHost;
class MainMenus;
class SelectionCommands;
class QWidget;
struct AppState;
struct ViewFilter;

// The commands of the entry lists that open a dialog: "&Edit" and
// "&New Entry" (the entry editor), "Move" (the move window), "Find" (the
// find window) with "Find Next" and "Find Previous", and "Rating Filters"
// (the mask filter dialog). Each marks dialogState while its dialog is
// open, applies the dialog's result through the core and updates the rows
// it touched.
class EntryDialogCommands : public QObject
{
    Q_OBJECT

public:
    EntryDialogCommands(AppState &state, ViewFilter &filter, EntryListHost &host, SelectionCommands &selection,
                        QWidget *mainWindow);

    void connectMenus(const MainMenus &menus);

    void editSelected();
    // The editor on the entry of a key: as "&Edit" on its row when the list
    // shows it, else on the entry alone, the list refilled afterwards.
    void editEntry(quint32 key);
    void newEntry();
    // The editor in its new-entry mode with a captured title and address
    // (none when both are empty), whatever dialogState is; accepting it adds
    // the entry as "New Entry" does.
    void newEntryWith(const QString &title, const QString &url);
    void moveCommand();
    void findCommand();
    // Selects the next (direction 0) or previous (1) row after the current
    // one whose title holds text. Nothing happens without a text or a
    // selected row; otherwise the selection is first narrowed to the current
    // row, which stays the only one selected when no row is found.
    void findInList(const QString &text, int direction);
    void maskFilters();

private:
    void editUnlisted(quint32 key);

    AppState &m_state;
    ViewFilter &m_filter;
    EntryListHost &m_host;
    SelectionCommands &m_selection;
    QWidget *m_mainWindow;
};
