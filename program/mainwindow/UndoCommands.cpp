// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UndoCommands.h"

#include "EntryListHost.h"
#include "UndoHistory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

UndoCommands::UndoCommands(EntryListHost &lists, UndoHistory &history, QMenuBar &menuBar, QWidget *window)
    : QObject(window)
    , m_lists(lists)
    , m_history(history)
{
    // Between "File" and "URLs", where desktop programs keep it.
    // A child of the window made after the history: the history's last
    // signals, as the window ends, still find its actions.
    m_menu = new QMenu(tr("&Edit"), window);
    m_menu->setObjectName(QStringLiteral("mnuEditMenu"));
    const auto *entries = menuBar.findChild<QMenu *>(QStringLiteral("mnuURLs"));
    menuBar.insertMenu(entries ? entries->menuAction() : nullptr, m_menu);
    m_undo = m_menu->addAction(QString());
    m_undo->setObjectName(QStringLiteral("mnuUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = m_menu->addAction(QString());
    m_redo->setObjectName(QStringLiteral("mnuRedo"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, &m_history, &UndoHistory::undo);
    connect(m_redo, &QAction::triggered, &m_history, &UndoHistory::redo);
    QUndoStack *stack = history.stack();
    connect(stack, &QUndoStack::indexChanged, this, &UndoCommands::updateTexts);
    connect(stack, &QUndoStack::undoTextChanged, this, &UndoCommands::updateTexts);
    connect(stack, &QUndoStack::redoTextChanged, this, &UndoCommands::updateTexts);
    connect(&history, &UndoHistory::stepApplied, this, &UndoCommands::showStore);
    updateTexts();
}

void UndoCommands::updateTexts()
{
    const QUndoStack *stack = m_history.stack();
    m_undo->setEnabled(stack->canUndo());
    m_undo->setText(stack->canUndo() ? tr("&Undo %1").arg(stack->undoText()) : tr("&Undo"));
    m_redo->setEnabled(stack->canRedo());
    m_redo->setText(stack->canRedo() ? tr("&Redo %1").arg(stack->redoText()) : tr("&Redo"));
}

void UndoCommands::showStore(const QString &commandName, bool undone)
{
    // The rows and the group lines name entries and groups that may be gone
    // or back: all are filled again, the chosen group kept where it still is.
    const int chosen = m_lists.getCurrentIDX();
    m_lists.refillGroupLines();
    if (chosen >= 0)
        m_lists.selectGroupItem(chosen);
    m_lists.RefreshURLPage();
    m_lists.UpdatePanel();
    m_lists.showStatus(undone ? tr("Undone: %1").arg(commandName) : tr("Redone: %1").arg(commandName));
}
