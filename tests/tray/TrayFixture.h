// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tray window over a temporary folder, for the tests of the program's
// start, its main window's life and its end: fresh settings, prompts
// answered by a script, and the program's translations as main() installs them.
#pragma once

#include "AppState.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

class TrayFixture
{
protected:
    void setUpTray()
    {
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = std::make_unique<AppState>();
        m_prompter = ScriptedPrompter();
    }
    void tearDownTray() { m_tray.reset(); }

    TrayWindow *startTray(const QStringList &arguments = {})
    {
        m_tray = std::make_unique<TrayWindow>(*m_state, m_prompter);
        m_tray->start(arguments);
        // Keep the default stack file away from the program's folder.
        if (arguments.isEmpty())
            m_state->stackBase = m_dir->filePath("Pemberly");
        return m_tray.get();
    }

    // English, with the singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TrayWindow> m_tray;
};
