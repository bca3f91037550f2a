// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreRecording.h"

#include "AppState.h"
#include "StoreChange.h"
#include "StoreHistory.h"
#include "StoreSnapshot.h"

StoreRecording::StoreRecording(URLBlock &store, StoreHistory *history, const QString &commandName)
    : m_store(store)
    , m_history(history)
    , m_commandName(commandName)
{
    if (m_history && m_history->m_depth++ == 0)
        m_before = std::make_unique<StoreSnapshot>(store);
}

StoreRecording::StoreRecording(AppState &state, const QString &commandName)
    : StoreRecording(state.store, state.history, commandName)
{
}

StoreRecording::~StoreRecording()
{
    if (!m_history)
        return;
    --m_history->m_depth;
    if (!m_before)
        return;
    StoreChange change(*m_before, m_store);
    m_before.reset();
    if (!change.isEmpty())
        m_history->add(std::move(change), m_commandName);
}
