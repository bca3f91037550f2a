// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class EntryListHost;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class UndoHistory;

// The main window's "Edit" menu: "Undo" and "Redo", named after the command
// they take back or make again ("Undo Remove"), on Ctrl+Z and Ctrl+Shift+Z
// (or Ctrl+Y). After a step the window shows the store again as after the
// command itself: groups, lists, counts, status bar and the tray's tip.
class UndoCommands : public QObject
{
    Q_OBJECT

public:
    // Puts the "Edit" menu on the window's menu bar, before "URLs"; window
    // is the parent of the menu and of these commands.
    UndoCommands(EntryListHost &lists, UndoHistory &history, QMenuBar &menuBar, QWidget *window);

    QMenu *menu() const { return m_menu; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

private:
    void updateTexts();
    void showStore(const QString &commandName, bool undone);

    EntryListHost &m_lists;
    UndoHistory &m_history;
    QMenu *m_menu = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};
