// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tests of the main window share: the window on a real store in a
// temporary folder, offscreen, with its prompts answered by a script.
#pragma once

#include "AccessChecks.h"
#include "AdvancedView.h"
#include "AppPaths.h"
#include "AppState.h"
#include "DayCount.h"
#include "EntryRowTexts.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalWindows.h"
#include "ProgramTranslations.h"
#include "ScriptedPrompter.h"
#include "StackFile.h"
#include "URLBlock.h"
#include "UnsavedStore.h"
#include "StackFileLock.h"
#include "StandardView.h"
#include "TestEnvironment.h"
#include "TrayWindowSettingsHost.h"
#include "UrlOpener.h"
#include "WidgetPrompter.h"
#include "WindowHelpers.h"
#include "Registry.h"
#include "regModule.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QStatusBar>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QWheelEvent>
#include <QtTest>
#include <functional>
#include <memory>

namespace MainWindowTest {

using TestEnvironment::entryLine;

// Three groups: News (Alpha, Beta), Tech (Gamma), Empty. Alpha was visited
// three times, Beta never; ratings 2, 0 and 4.
inline const QByteArray stackText = "+News\r\n" + entryLine({"http://a.example/", "Alpha", "B1340927C", "B12800000", "3", "0", "2"})
    + "\r\n" + entryLine({"http://b.example/", "Beta", "0", "B12800000", "0", "0", "0"}) + "\r\n+Tech\r\n"
    + entryLine({"http://g.example/", "Gamma", "B1340927C", "B12800000", "1", "0", "4"}) + "\r\n+Empty\r\n";

// The tray window's side of applied options, recorded.
class RecordingTray : public TrayWindowSettingsHost
{
public:
    QStringList calls;
    int screenWidth() const override { return 19200; }
    int screenHeight() const override { return 14400; }
    WindowRect trayGeometry() const override { return {}; }
    void moveTrayWindow(int, int) override { }
    void setTrayIcon(bool disable) override { calls << QString("trayIcon %1").arg(disable); }
    void showActiveIcon() override { calls << "showActiveIcon"; }
};

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

// The settings that the options dialog edits, as "name=value" words.
inline QString optionSettings(const AppSettings &s)
{
    return QString("aLS=%1 aSS=%2 aLU=%3 aSU=%4 uSK=%5 pB=%6 iAOT=%7 hAI=%8 aI=%9 ")
               .arg(s.aLS).arg(s.aSS).arg(s.aLU).arg(s.aSU).arg(s.uSK).arg(s.pB).arg(s.iAOT).arg(s.hAI).arg(s.aI)
        + QString("mT=%1 oC=%2 mAOT=%3 dTI=%4 cAF=%5 tP=%6").arg(s.mT).arg(s.oC).arg(s.mAOT).arg(s.dTI).arg(s.cAF).arg(s.tP);
}

using ModalWindows::whenModal;

}  // namespace MainWindowTest

// A test case of the main window: init() gives each test a fresh folder,
// settings and store; cleanup() closes the window.
class MainWindowTestCase : public QObject
{
protected:
    void setUpWindow();
    void tearDownWindow() { m_window.reset(); }

    MainWindow *openWindow();
    std::unique_ptr<MainWindow> reopenedWindow(AppState &state);
    QString statusText(const char *label) const { return m_window->findChild<QLabel *>(label)->text(); }
    QStringList shownTitles() const;
    QString stackFile() const { return m_dir->filePath("Pemberly.tsy"); }

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindow> m_window;
};
