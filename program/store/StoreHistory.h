// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class StoreChange;

// Where the changes made to the store are kept so that they can be undone:
// the main window's undo history. Code that changes the store wraps the change
// in a StoreRecording, which hands the change over here once it is made; code
// that runs without a history (tsy, most tests) leaves AppState::history null.
class StoreHistory
{
public:
    virtual ~StoreHistory() = default;

    // A change already made to the store, under the name of its command.
    virtual void add(StoreChange &&change, const QString &commandName) = 0;
    // Ends the history: its steps no longer fit the store (another was loaded,
    // or its keys were handed out anew).
    virtual void clear() = 0;

    // True while a recording runs: the store is then in the middle of a
    // command, and nothing may be undone.
    bool isRecording() const { return m_depth > 0; }

private:
    friend class StoreRecording;
    int m_depth = 0;
};
