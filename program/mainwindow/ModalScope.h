// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppState.h"
#include "WindowHelpers.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

// While a prompt or dialog of the main window is up: dialogState names it
// (PromptOpen for a message, input or file box) and the main window is not
// kept on top. When the scope ends both go back to what they were before (a
// prompt inside the entry editor or the find window gives their state back),
// and then, when given, afterwards runs (the menus following the change).
// The one guard of dialogState: every command that opens a prompt or dialog
// holds one for as long as it is up.
class ModalScope
{
public:
    ModalScope(AppState &state, QWidget *mainWindow, AppState::DialogState open = AppState::PromptOpen,
               std::function<void()> afterwards = {})
        : m_state(state)
        , m_window(mainWindow)
        , m_previous(state.dialogState)
        , m_wasOnTop(mainWindow && mainWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        , m_afterwards(std::move(afterwards))
    {
        m_state.dialogState = open;
        WindowHelpers::setTopmost(m_window, false);
    }
    // The outermost scope puts the window on top as the settings say now (a
    // dialog may have changed them); an inner one as it found it.
    ~ModalScope()
    {
        m_state.dialogState = m_previous;
        WindowHelpers::setTopmost(m_window, m_previous == AppState::NoDialog ? m_state.settings.mAOT : m_wasOnTop);
        if (m_afterwards)
            m_afterwards();
    }
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;

private:
    AppState &m_state;
    QPointer<QWidget> m_window;
    const int m_previous;
    const bool m_wasOnTop;
    const std::function<void()> m_afterwards;
};
