// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class EntryListHost;
class EntryPages;
class MainMenus;
class Prompter;
class QWidget;
struct AppState;
struct ViewState;

// The group commands of the main window with their prompts: new, rename
// (from the group combo or the group list) and remove.
class GroupCommands : public QObject
{
    Q_OBJECT

public:
    // pages: the group list and combo the commands change in place; window:
    // the parent of the prompts and of these commands.
    GroupCommands(AppState &state, Prompter &prompter, EntryListHost &lists, EntryPages &pages,
                  const ViewState &view, const MainMenus &menus, QWidget *window);

    void newGroup();
    void renameFromCombo();
    void renameFromGroupList();
    // Removes the current group with its entries; with promptUser, asks first
    // when the group holds entries.
    void removeCurrentGroup(bool promptUser);

private:
    static QString renameText();
    QString askGroupName(const QString &title, const QString &defaultText);

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_lists;
    EntryPages &m_pages;
    const ViewState &m_view;
    QWidget *m_window;
};
