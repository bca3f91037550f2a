// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MainWindowTestCase.h"

using namespace MainWindowTest;

void MainWindowTestCase::setUpWindow()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->appFolder = QCoreApplication::applicationDirPath();
    m_state->stackBase = m_dir->filePath("Pemberly");
    m_prompter = ScriptedPrompter();
    m_prompter.watched = &m_state->dialogState;
    TestEnvironment::writeFile(stackFile(), stackText);
}

MainWindow *MainWindowTestCase::openWindow()
{
    m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
    m_window->load();
    m_window->show();
    return m_window.get();
}

// A second window over the same files and settings, as at the next start.
std::unique_ptr<MainWindow> MainWindowTestCase::reopenedWindow(AppState &state)
{
    m_window.reset();
    state.appFolder = m_state->appFolder;
    state.stackBase = m_state->stackBase;
    auto window = std::make_unique<MainWindow>(state, m_prompter, nullptr);
    window->load();
    return window;
}

QStringList MainWindowTestCase::shownTitles() const
{
    QStringList titles;
    const EntryListModel *model = m_window->activeModel();
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->index(row, 0).data().toString();
    return titles;
}
