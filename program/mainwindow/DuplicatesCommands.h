// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <vector>

class DuplicatesDialog;
class EntryListHost;
class MainMenus;
class Prompter;
class QWidget;
struct AppState;
struct DuplicateSet;

// "Duplicates" (URLs menu): shows the sets of entries that hold the same
// page and, after one confirmation, merges each into the entry the user
// keeps, as one change of the store.
class DuplicatesCommands : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the "Duplicates" window and of these commands.
    DuplicatesCommands(AppState &state, Prompter &prompter, EntryListHost &lists, const MainMenus &menus,
                       QWidget *window);

    void showDuplicates();

private:
    void mergeChosen(DuplicatesDialog &dialog, const std::vector<DuplicateSet> &sets);

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_lists;
    QWidget *m_window;
};
