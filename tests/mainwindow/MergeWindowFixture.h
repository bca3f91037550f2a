// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's set-up for the merge commands and their long work: a
// temporary folder with the default stack file (one entry "Kept" in the group
// "Mine") and a favorites folder in the data home, fresh settings, prompts
// answered by a script, and the program's translations as main() installs them.
#pragma once

#include "AppState.h"
#include "MainWindow.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

class MergeWindowFixture
{
protected:
    void setUpMergeWindow()
    {
        using TestEnvironment::writeFile;
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
        m_state = std::make_unique<AppState>();
        m_state->appFolder = QCoreApplication::applicationDirPath();
        m_state->stackBase = m_dir->filePath("Pemberly");
        m_state->settings.aLS = false;
        m_prompter = ScriptedPrompter();
        m_prompter.watched = &m_state->dialogState;
        writeFile(m_dir->filePath("Pemberly.tsy"),
                  "+Mine\r\n"
                      + TestEnvironment::entryLine(
                          {"http://kept.example/", "Kept", "B1340927C", "B12800000", "3", "0", "2"})
                      + "\r\n");
        const QString favorites = m_dir->filePath("data/Tessaly/Favorites");
        QDir().mkpath(favorites + "/Work/Old");
        writeFile(favorites + "/Root.url", "[InternetShortcut]\r\nURL=http://root/\r\n");
        writeFile(favorites + "/Work/Job.url", "[InternetShortcut]\r\nURL=http://job/\r\n");
        writeFile(favorites + "/Work/Old/Past.url", "[InternetShortcut]\r\nURL=http://past/\r\n");
        QDir().mkpath(m_dir->filePath("elsewhere"));
        writeFile(m_dir->filePath("elsewhere/Away.url"), "[InternetShortcut]\r\nURL=http://away/\r\n");
    }
    void tearDownMergeWindow() { m_window.reset(); }

    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};
    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};
