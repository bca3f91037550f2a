// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window over a stack file in a temporary folder, for tests that
// open entries: a fresh configuration and data folder, prompts answered by a
// script, and an opener that records the addresses it is given.
#pragma once

#include "AppState.h"
#include "MainWindow.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Records what would have been opened.
class RecordingOpener : public UrlOpener
{
public:
    QStringList opened;
    bool open(const QUrl &url, QString *) override
    {
        opened << url.toString();
        return true;
    }
};

class OpenerWindowFixture
{
protected:
    // A fresh folder holding stackText as the default stack file, and settings
    // that load nothing by themselves.
    void setUpWindow(const QByteArray &stackText)
    {
        m_config = std::make_unique<TestEnvironment::ConfigFolder>();
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
        m_state = std::make_unique<AppState>();
        m_state->appFolder = QCoreApplication::applicationDirPath();
        m_state->stackBase = m_dir->filePath("Pemberly");
        m_state->settings.aLS = false;
        m_prompter = ScriptedPrompter();
        m_prompter.watched = &m_state->dialogState;
        m_opener.opened.clear();
        TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), stackText);
    }
    void tearDownWindow() { m_window.reset(); }

    // The window, loaded, shown and active.
    MainWindow *openWindow()
    {
        m_window = std::make_unique<MainWindow>(*m_state, m_prompter, nullptr);
        m_window->setUrlOpener(&m_opener);
        m_window->load();
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("the main window did not become active");
        return m_window.get();
    }

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    RecordingOpener m_opener;
    std::unique_ptr<MainWindow> m_window;
};
