// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UndoHistory.h"

#include "AppState.h"
#include "StoreUndoCommand.h"

#include <QUndoStack>

UndoHistory::UndoHistory(AppState &state, QObject *parent, qsizetype recordLimit)
    : QObject(parent)
    , m_state(state)
    , m_stack(new QUndoStack(this))
    , m_recordLimit(recordLimit)
{
    m_stack->setUndoLimit(stepLimit);
    m_state.history = this;
}

UndoHistory::~UndoHistory()
{
    // The stack, a child, is cleared as it goes, which would announce a new
    // index to the window's undo commands while this history is half destroyed.
    m_stack->blockSignals(true);
    if (m_state.history == this)
        m_state.history = nullptr;
}

void UndoHistory::add(StoreChange &&change, const QString &commandName)
{
    // The steps that could be redone go with this push anyway.
    if (weight() + change.size() > m_recordLimit)
        m_stack->clear();
    m_stack->push(new StoreUndoCommand(m_state.store, std::move(change), commandName));
}

qsizetype UndoHistory::weight() const
{
    qsizetype records = 0;
    for (int i = 0; i < m_stack->index(); ++i)
        records += static_cast<const StoreUndoCommand *>(m_stack->command(i))->weight();
    return records;
}

bool UndoHistory::isBusy() const
{
    return isRecording() || m_state.dialogState != AppState::NoDialog;
}

bool UndoHistory::undo()
{
    if (isBusy() || !m_stack->canUndo())
        return false;
    const QString name = m_stack->undoText();
    m_stack->undo();
    emit stepApplied(name, true);
    return true;
}

bool UndoHistory::redo()
{
    if (isBusy() || !m_stack->canRedo())
        return false;
    const QString name = m_stack->redoText();
    m_stack->redo();
    emit stepApplied(name, false);
    return true;
}

void UndoHistory::clear()
{
    m_stack->clear();
}
