#pragma once

#include "AppState.h"
#include "WindowHelpers.h"

#include <QPointer>
#include <QWidget>

// While a prompt of the main window is up: dialogState is 1 and the main
// window is not kept on top; both are restored when the scope ends (a prompt
// inside the entry editor or the find window gives their state back).
class ModalScope
{
public:
    ModalScope(AppState &state, QWidget *mainWindow)
        : m_state(state)
        , m_window(mainWindow)
        , m_previous(state.dialogState)
    {
        m_state.dialogState = AppState::PromptOpen;
        WindowHelpers::setTopmost(m_window, false);
    }
    ~ModalScope()
    {
        m_state.dialogState = m_previous;
        if (m_previous == AppState::NoDialog)
            WindowHelpers::setTopmost(m_window, m_state.settings.mAOT);
    }
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;

private:
    AppState &m_state;
    QPointer<QWidget> m_window;
    const int m_previous;
};
