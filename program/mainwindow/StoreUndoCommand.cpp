// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreUndoCommand.h"

#include <utility>

StoreUndoCommand::StoreUndoCommand(URLBlock &store, StoreChange &&change, const QString &text)
    : QUndoCommand(text)
    , m_store(store)
    , m_change(std::move(change))
{
}

void StoreUndoCommand::undo()
{
    m_change.undo(m_store);
}

void StoreUndoCommand::redo()
{
    // QUndoStack::push() calls redo(): the change is already in the store then.
    if (std::exchange(m_made, false))
        return;
    m_change.redo(m_store);
}
