// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class EntryListHost;
class MainMenus;
class MergeCommands;
class Prompter;
class QWidget;
struct AppState;

// The main window's XBEL commands: "Merge From" > "XBEL", through the
// library's merge object as the other merges go, and "Save URLs" > "Save As
// XBEL". What failed is said in the status bar.
class XbelCommands : public QObject
{
    Q_OBJECT

public:
    static const QString filter;

    // window: the parent of the file boxes and of these commands.
    XbelCommands(AppState &state, Prompter &prompter, EntryListHost &lists, const MainMenus &menus,
                 MergeCommands &merges, QWidget *window);

    void mergeXbel();
    // "" when cancelled or not written.
    QString saveAsXbel();

private:
    QString askSaveName();

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_lists;
    QWidget *m_window;
    MergeCommands &m_merges;
};
