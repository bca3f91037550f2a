// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class MainWindow;
class QAction;
class QMenu;
class UndoHistory;

// The main window's "Edit" menu: "Undo" and "Redo", named after the command
// they take back or make again ("Undo Remove"), on Ctrl+Z and Ctrl+Shift+Z
// (or Ctrl+Y). After a step the window shows the store again as after the
// command itself: groups, lists, counts, status bar and the tray's tip.
class UndoCommands : public QObject
{
    Q_OBJECT

public:
    UndoCommands(MainWindow &window, UndoHistory &history);

    QMenu *menu() const { return m_menu; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

private:
    void updateTexts();
    void showStore(const QString &commandName, bool undone);

    MainWindow &m_window;
    UndoHistory &m_history;
    QMenu *m_menu = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
};
