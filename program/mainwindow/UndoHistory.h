// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StoreHistory.h"

#include <QObject>

class QUndoStack;
struct AppState;

// The main window's undo history: the changes made to the store through
// StoreRecording, as steps of a QUndoStack. It holds at most stepLimit steps
// and, in all, about a million entry records (some 100 MB) (each step holds only the
// entries its command touched); a step that would pass that limit starts the
// history afresh. Nothing is undone while a command or a dialog runs.
class UndoHistory : public QObject, public StoreHistory
{
    Q_OBJECT

public:
    static constexpr int stepLimit = 100;
    static constexpr qsizetype defaultRecordLimit = 1'000'000;

    explicit UndoHistory(AppState &state, QObject *parent = nullptr, qsizetype recordLimit = defaultRecordLimit);
    ~UndoHistory() override;

    void add(StoreChange &&change, const QString &commandName) override;

    QUndoStack *stack() const { return m_stack; }
    // Undoes or redoes one step; false (and nothing done) when there is none
    // or the window is busy.
    bool undo();
    bool redo();
    // Ends the history: the store is emptied or another is loaded in its place.
    void clear() override;
    // Entry records held by the steps that can be undone.
    qsizetype weight() const;

signals:
    // A step was undone (undone true) or redone: the store changed under the window.
    void stepApplied(const QString &commandName, bool undone);

private:
    bool isBusy() const;

    AppState &m_state;
    QUndoStack *m_stack = nullptr;
    qsizetype m_recordLimit = defaultRecordLimit;
};
