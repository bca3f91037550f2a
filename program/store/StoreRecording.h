// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class StoreHistory;
class URLBlock;
struct AppState;
struct StoreSnapshot;

// Makes whatever a command does to the store one undoable step: it notes the
// store as it is when the recording begins and, when the recording ends (at
// the end of the scope), hands the difference to the history under the
// command's name. A command that changed nothing (cancelled, or refused)
// leaves no step. A recording inside another (a command calling another) is
// part of the outer one. Without a history it does nothing.
//
//     const StoreRecording recording(state, tr("Remove"));
//     EntryOperations::remove(state.store, keys);
class StoreRecording
{
public:
    StoreRecording(URLBlock &store, StoreHistory *history, const QString &commandName);
    StoreRecording(AppState &state, const QString &commandName);
    ~StoreRecording();
    StoreRecording(const StoreRecording &) = delete;
    StoreRecording &operator=(const StoreRecording &) = delete;

private:
    URLBlock &m_store;
    StoreHistory *m_history = nullptr;
    QString m_commandName;
    std::unique_ptr<StoreSnapshot> m_before;  // only in the outermost recording
};
