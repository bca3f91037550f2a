// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreChange.h"

#include <QUndoCommand>

class URLBlock;

// One step of the undo history: a change already made to the store, which
// undo() takes back and redo() makes again.
class StoreUndoCommand : public QUndoCommand
{
public:
    StoreUndoCommand(URLBlock &store, StoreChange &&change, const QString &text);

    void undo() override;
    void redo() override;

    // Entry records held (see StoreChange::size).
    qsizetype weight() const { return m_change.size(); }

private:
    URLBlock &m_store;
    StoreChange m_change;
    bool m_made = true;  // the command made the change before the step was pushed
};
