// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessChecks.h"
#include "AppPaths.h"
#include "AppState.h"
#include "BrowserFakes.h"
#include "FloatingButton.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "ProgramTranslations.h"
#include "Registry.h"
#include "SaveAtExit.h"
#include "ScriptedPrompter.h"
#include "TerminationSignals.h"
#include "TestEnvironment.h"
#include "TrayConnectionWatch.h"
#include "TrayWindow.h"
#include "WindowHelpers.h"
#include "regModule.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QtTest>
#include <csignal>
#include <cstdlib>
#include <memory>

// The tray window: start, the main window's life, the program's end.
class TestTrayWindow : public QObject
{
    Q_OBJECT

    // The program's translations as main() installs them: English, with the
    // singular and plural forms of the texts that count.
    const ProgramTranslations m_translations {QCoreApplication::applicationDirPath()};

private slots:
    void init();
    void cleanup();
    void firstStartWantsIconAndStaysReachable();
    void storedSettingsAreApplied();
    void commandLineNamesDefaultFile();
    void startNamesKeptUnsavedFiles();
    void menuHasEveryItem();
    void outwardItemsSayWhenNothingOpens();
    void showLoadsMainWindowOnce();
    void flushUnloadsAndShowReloads();
    void programEndSavesAndWritesId_data();
    void programEndSavesAndWritesId();
    void buttonDoubleClickTogglesMainWindow();
    void reopensAfterSwitchingAway_data();
    void reopensAfterSwitchingAway();
    void toolTipCountsBookmarks_data();
    void toolTipCountsBookmarks();
    void terminationSignalEndsProgram_data();
    void terminationSignalEndsProgram();
    void programEndsOnHangUp();
    void unloadedDefaultFileIsMergedAtEveryEnd_data();
    void unloadedDefaultFileIsMergedAtEveryEnd();
    void exitWithoutProgramEndSaves_data();
    void exitWithoutProgramEndSaves();
    void mainWindowFrameOnWorkArea_data();
    void mainWindowFrameOnWorkArea();
    void floatingButtonOnWorkArea();
    void floatingButtonTopmostWhileOnline_data();
    void floatingButtonTopmostWhileOnline();
    void connectionMonitorDrivesButtonAndMainWindow_data();
    void connectionMonitorDrivesButtonAndMainWindow();
    void registersLibraryAtStart();
    void ejectedWindowIsShownAgain();
    void flushDuringPromptWaitsForIt();
    void terminationDuringPromptClosesItFirst();
    void endDuringLoadKeepsFile_data();
    void endDuringLoadKeepsFile();

private:
    TrayWindow *startTray(const QStringList &arguments = {});
    void runExitChild(const QString &folder, bool armed);

    std::unique_ptr<TestEnvironment::ConfigFolder> m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TrayWindow> m_tray;
};

void TestTrayWindow::init()
{
    m_config = std::make_unique<TestEnvironment::ConfigFolder>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_prompter = ScriptedPrompter();
}

void TestTrayWindow::cleanup()
{
    m_tray.reset();
}

TrayWindow *TestTrayWindow::startTray(const QStringList &arguments)
{
    m_tray = std::make_unique<TrayWindow>(*m_state, m_prompter);
    m_tray->start(arguments);
    // Keep the default stack file away from the program's folder.
    if (arguments.isEmpty())
        m_state->stackBase = m_dir->filePath("Pemberly");
    return m_tray.get();
}

void TestTrayWindow::firstStartWantsIconAndStaysReachable()
{
    TrayWindow *tray = startTray();
    QVERIFY(!m_state->settings.dTI);
    QVERIFY(m_state->platformId != 0);
    // No notification area offscreen: the floating button stands in.
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QVERIFY(tray->floatingButton()->isVisible());
    QCOMPARE(tray->floatingButton()->currentPictureName(), QString("ia"));
    QVERIFY(!m_state->settings.aI);  // standing in, not turned on as a setting
    QVERIFY(!tray->mainWindow());    // not created at start
    // The tray icon is the loaded button's picture in both forms: a tray of
    // 22 pixels at scale 2 gets it from the 2x form.
    const QIcon icon = tray->trayIcon()->icon();
    const QImage twice(m_state->appFolder + "/uBank/id@2x.bnk");
    QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
             twice.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(icon.pixmap(QSize(22, 22), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
             QPixmap::fromImage(twice)
                 .scaled(44, 44, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .toImage()
                 .convertToFormat(QImage::Format_ARGB32));
}

void TestTrayWindow::storedSettingsAreApplied()
{
    regModule::createNewKey(AppSettings::settingsKey, 0x80000001);
    regModule::setKeyValue(AppSettings::settingsKey, "ID", "2 3000 3000 0 0 1 True False", regModule::REG_SZ);
    regModule::setKeyValue(AppSettings::settingsKey, "CF", "64 ", regModule::REG_SZ);
    TrayWindow *tray = startTray();
    QCOMPARE(m_state->settings.mT, 2);
    QVERIFY(m_state->settings.aI);
    QVERIFY(m_state->settings.dTI);
    QVERIFY(!m_state->settings.aLU);
    QVERIFY(tray->floatingButton()->isVisible());
    QCOMPARE(tray->floatingButton()->pos(), QPoint(200, 200));  // 3000 twips at 15 twips a pixel
}

void TestTrayWindow::startNamesKeptUnsavedFiles()
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("data")));
    QDir().mkpath(m_dir->filePath("data/Tessaly"));
    TestEnvironment::writeFile(m_dir->filePath("data/Tessaly/unsaved-20261208-101010.tsy"), "+G\r\n");
    startTray();
    qputenv("XDG_DATA_HOME", data);
    QCOMPARE(m_state->startNotes.size(), 1);
    QVERIFY2(m_state->startNotes.first().contains("unsaved-20261208-101010.tsy"), qPrintable(m_state->startNotes.first()));
}

void TestTrayWindow::commandLineNamesDefaultFile()
{
    startTray({"work"});
    QVERIFY(m_state->stackBase.endsWith("/work"));
    startTray({"my", "list.tsy"});
    QVERIFY(m_state->stackBase.endsWith("/my list.tsy"));
}

// Every item, each with an access key of its own.
void TestTrayWindow::menuHasEveryItem()
{
    TrayWindow *tray = startTray();
    QStringList items;
    QStringList enabled;
    for (QAction *action : tray->trayMenu()->actions()) {
        const QString caption = AccessChecks::visibleText(action->text());
        items << (action->isSeparator() ? QString("-") : caption);
        if (!action->isSeparator() && action->isEnabled())
            enabled << caption;
    }
    QCOMPARE(AccessChecks::accessKeyFaults(tray->trayMenu()).join("; "), QString());
    QCOMPARE(items, (QStringList {"Tessaly", "Restore", "-", "Tessaly Help", "Contacting Orvane", "-",
                                  "Tessaly Web Site", "-", "Flush", "-", "About", "Unload"}));
    QCOMPARE(enabled, (QStringList {"Tessaly", "Restore", "Tessaly Help", "Contacting Orvane", "Tessaly Web Site",
                                    "About", "Unload"}));
}

// With no program to open addresses, the tray's help page and outward links
// say so instead of doing nothing.
void TestTrayWindow::outwardItemsSayWhenNothingOpens()
{
    TrayWindow *tray = startTray();
    QTemporaryDir emptyPath;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(emptyPath.path()));
    for (QAction *action : tray->trayMenu()->actions()) {
        if (QStringList {"mHelp", "mContact", "mWebSite"}.contains(action->objectName()))
            action->trigger();
    }
    qputenv("PATH", path);
    QCOMPARE(m_prompter.asked.size(), 3);
    for (const QString &question : std::as_const(m_prompter.asked))
        QVERIFY2(question.startsWith("message|Tessaly|") && question.size() > 20, qPrintable(question));
}

void TestTrayWindow::showLoadsMainWindowOnce()
{
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n");
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    MainWindow *main = tray->mainWindow();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QVERIFY(m_state->mainWindowReady);
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
    QVERIFY(tray->trayMenu()->findChild<QAction *>("mFlush")->isEnabled());
    // Hidden and shown again: the same window, the file not read again.
    main->close();
    QVERIFY(!main->isVisible());
    QFile::remove(m_dir->filePath("Pemberly.tsy"));
    tray->showMainWindow();
    QCOMPARE(tray->mainWindow(), main);
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
}

void TestTrayWindow::flushUnloadsAndShowReloads()
{
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n");
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    tray->trayMenu()->findChild<QAction *>("mFlush")->trigger();
    QTRY_VERIFY(!tray->mainWindow());
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QVERIFY(!m_state->hideOnClose);
    QVERIFY(!tray->trayMenu()->findChild<QAction *>("mFlush")->isEnabled());
    tray->showMainWindow();
    QVERIFY(tray->mainWindow());
    QCOMPARE(m_state->store.urlDatas().Count(), 1);
}

void TestTrayWindow::programEndSavesAndWritesId_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::newRow("auto save on") << true;
    QTest::newRow("auto save off") << false;
}

void TestTrayWindow::programEndSavesAndWritesId()
{
    QFETCH(bool, autoSave);
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n");
    TrayWindow *tray = startTray();
    m_state->settings.aSU = autoSave;
    tray->showMainWindow();
    tray->mainWindow()->quickAdd("http://added.example/");
    QSignalSpy ended(tray, &TrayWindow::programEnded);
    const quint64 hiveWritesBefore = Registry::hiveFileWrites();
    tray->trayMenu()->findChild<QAction *>("mPopExit")->trigger();
    QCOMPARE(ended.count(), 1);
    // The main window's settings and the tray's reach the hive in one write.
    QCOMPARE(Registry::hiveFileWrites() - hiveWritesBefore, quint64(1));
    QVERIFY(regModule::queryValue(AppSettings::settingsKey, "CF").size() > 0);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy")).contains("added.example"), autoSave);
    QVERIFY(!regModule::queryValue(AppSettings::settingsKey, "ID").isEmpty());
    QVERIFY(!tray->floatingButton()->isVisible());
    tray->unload();  // a second end does nothing
    QCOMPARE(ended.count(), 1);
}

void TestTrayWindow::buttonDoubleClickTogglesMainWindow()
{
    TrayWindow *tray = startTray();
    FloatingButton *button = tray->floatingButton();
    emit button->doubleClicked();
    QVERIFY(tray->mainWindow() && tray->mainWindow()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(tray->mainWindow()));  // on the screen, as the user sees it
    emit button->doubleClicked();
    QVERIFY(!tray->mainWindow()->isVisible());
    emit button->doubleClicked();
    QVERIFY(tray->mainWindow()->isVisible());
    QCOMPARE(button->currentPictureName(), QString("ia"));
}

void TestTrayWindow::reopensAfterSwitchingAway_data()
{
    QTest::addColumn<QString>("away");  // "switch" to another application, or "minimise" the window
    QTest::addColumn<QString>("way");
    QTest::newRow("tray icon") << "switch" << "icon";
    QTest::newRow("menu Tessaly") << "switch" << "mTessaly";
    QTest::newRow("menu Restore") << "switch" << "mPopRestore";
    QTest::newRow("floating button") << "switch" << "button";
    QTest::newRow("minimised, tray icon") << "minimise" << "icon";
    QTest::newRow("minimised, menu Restore") << "minimise" << "mPopRestore";
}

// With the floating button in use, switching to another application hides
// the main window; one click shows it again, every time. The hidden window is
// withdrawn, never minimised through the window system: a window manager
// keeps such an iconify request and applies it at the next map, hiding the
// window again as it is shown. A minimised window (the floating button in use
// or not) is hidden as well, and comes back in its normal state.
void TestTrayWindow::reopensAfterSwitchingAway()
{
    QFETCH(QString, away);
    QFETCH(QString, way);
    TrayWindow *tray = startTray();
    m_state->settings.aI = away == "switch";
    tray->showMainWindow();
    MainWindow *main = tray->mainWindow();
    for (int round = 0; round < 3; ++round) {
        if (away == "minimise") {
            main->windowHandle()->setWindowState(Qt::WindowMinimized);  // as the window manager does
            QTRY_VERIFY(!main->isVisible());
        } else {
            emit qApp->applicationStateChanged(Qt::ApplicationInactive);
            QVERIFY(!main->isVisible());
            QVERIFY(!main->windowHandle()->windowStates().testFlag(Qt::WindowMinimized));
        }
        if (way == "icon")
            emit tray->trayIcon()->activated(QSystemTrayIcon::Trigger);
        else if (way == "button")
            emit tray->floatingButton()->doubleClicked();
        else
            tray->trayMenu()->findChild<QAction *>(way)->trigger();
        QCOMPARE(tray->mainWindow(), main);
        QVERIFY(main->isVisible());
        QVERIFY(!main->isMinimized());
    }
}

void TestTrayWindow::toolTipCountsBookmarks_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<bool>("inSlices");
    QTest::newRow("a file without entries") << 0 << "No bookmarks loaded" << false;
    QTest::newRow("one") << 1 << "1 bookmark loaded" << false;
    QTest::newRow("thousands, read in slices") << 12000 << QLocale().toString(12000) + " bookmarks loaded" << true;
}

// The icon's tip says how many bookmarks the store holds, as it changes.
void TestTrayWindow::toolTipCountsBookmarks()
{
    QFETCH(int, entries);
    QFETCH(QString, loaded);
    QFETCH(bool, inSlices);
    const QByteArray file = entries ? TestEnvironment::largeStackFile(entries) : QByteArray("+Empty\r\n");
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), file);
    TrayWindow *tray = startTray();
    const auto tip = [tray] { return tray->trayIcon()->toolTip(); };
    QCOMPARE(tip(), QString("Tessaly Tray Control\nNo bookmarks loaded"));  // no main window yet
    tray->showMainWindow();
    QCOMPARE(tray->mainWindow()->isLoading(), inSlices);
    if (inSlices)
        QCOMPARE(tip(), QString("Tessaly Tray Control\nLoading bookmarks…"));
    QTRY_COMPARE(tip(), "Tessaly Tray Control\n" + loaded);
    tray->mainWindow()->quickAdd("http://added.example/");
    const QString added = "Tessaly Tray Control\n"
        + (entries ? QString("%1 bookmarks loaded").arg(QLocale().toString(entries + 1)) : QString("1 bookmark loaded"));
    QCOMPARE(tip(), added);
    // Ejected (and saved), then read again.
    tray->mainWindow()->findChild<QAction *>("mnuEject")->trigger();
    QCOMPARE(tip(), QString("Tessaly Tray Control\nNo bookmarks loaded"));
    tray->mainWindow()->findChild<QAction *>("mnuOpenDefault")->trigger();
    QCOMPARE(tip(), added);
    tray->flushMainWindow();
    QTRY_VERIFY(!tray->mainWindow());
    QCOMPARE(tip(), QString("Tessaly Tray Control\nNo bookmarks loaded"));
}

void TestTrayWindow::terminationSignalEndsProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("kill") << int(SIGTERM);
    QTest::newRow("Ctrl+C") << int(SIGINT);
    QTest::newRow("hang-up, end of the session") << int(SIGHUP);
}

// The signal ends the program as "Unload" does, saving the pending changes.
void TestTrayWindow::terminationSignalEndsProgram()
{
    QFETCH(int, signal);
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n");
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    tray->mainWindow()->quickAdd("http://pending.example/");
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::terminationRequested, tray, &TrayWindow::unload);
    QSignalSpy ended(tray, &TrayWindow::programEnded);
    ::raise(signal);
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy")).contains("pending.example"));
}

namespace {

// A private runtime folder (the single-instance lock) and settings folder
// for a child process.
QProcessEnvironment childEnvironment(const QTemporaryDir &dir)
{
    QDir().mkpath(dir.filePath("run"));
    QFile::setPermissions(dir.filePath("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    environment.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

}  // namespace

// The real program, ended by a hang-up, ends as "Unload" does: it writes its
// settings and exits normally instead of being killed.
void TestTrayWindow::programEndsOnHangUp()
{
    const QString program = QCoreApplication::applicationDirPath() + "/tessaly";
    QVERIFY2(QFileInfo::exists(program), "the program is built beside the tests");
    QProcess child;
    child.setProcessEnvironment(childEnvironment(*m_dir));
    child.start(program, {});
    QVERIFY(child.waitForStarted());
    // The program registers its library at start, after its signal handling is up.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_dir->filePath("config/Tessaly/HKEY_CURRENT_USER.reg")),
                             30000);
    QVERIFY(::kill(pid_t(child.processId()), SIGHUP) == 0);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath("config")));
    QVERIFY(!regModule::queryValue(AppSettings::settingsKey, "ID").isEmpty());
}

void TestTrayWindow::unloadedDefaultFileIsMergedAtEveryEnd_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("Flush") << "mFlush";
    QTest::newRow("Unload") << "mPopExit";
    QTest::newRow("kill") << "SIGTERM";
    QTest::newRow("hang-up") << "SIGHUP";
}

// "Auto Load" off: the store starts empty, and every end adds what the user
// made to the default file instead of replacing it.
void TestTrayWindow::unloadedDefaultFileIsMergedAtEveryEnd()
{
    QFETCH(QString, end);
    const QByteArray theirs = "+Theirs\r\nhttp://theirs.example/\x05t\r\n";
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), theirs);
    TrayWindow *tray = startTray();
    m_state->settings.aLU = false;
    tray->showMainWindow();
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    m_state->store.addGroup("Mine");
    tray->mainWindow()->fullScrnRefresh(true);
    tray->mainWindow()->quickAdd("http://mine.example/");
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::terminationRequested, tray, &TrayWindow::unload);
    if (end.startsWith("SIG"))
        ::raise(end == "SIGTERM" ? SIGTERM : SIGHUP);
    else
        tray->trayMenu()->findChild<QAction *>(end)->trigger();
    QTRY_VERIFY(!tray->mainWindow());

    const QByteArray file = TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy"));
    QVERIFY2(file.startsWith("+Theirs\r\nhttp://theirs.example/\x05t\x05") && file.contains("\r\n+Mine\r\nhttp://mine.example/"),
             file);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.bak")), theirs);
    // A flush leaves the program running: its tip says what happened, below the count.
    const QString tip = tray->findChild<QSystemTrayIcon *>("trayIcon")->toolTip();
    QCOMPARE(tip.contains("were added to " + m_dir->filePath("Pemberly.tsy")), end == "mFlush");
    if (end == "mFlush") {  // until the window is opened again
        QVERIFY2(tip.startsWith("Tessaly Tray Control\nNo bookmarks loaded\n"), qPrintable(tip));
        tray->showMainWindow();
        QCOMPARE(tray->findChild<QSystemTrayIcon *>("trayIcon")->toolTip(),
                 QString("Tessaly Tray Control\nNo bookmarks loaded"));
    }
}

void TestTrayWindow::exitWithoutProgramEndSaves_data()
{
    QTest::addColumn<bool>("armed");
    QTest::newRow("while the program runs") << true;
    QTest::newRow("after main's end") << false;
}

// The loss of the display ends the process with exit() from inside the event
// loop (Qt's X11 platform does so). While the program runs, its end's saves
// still happen; once main is ending (disarmed) nothing is touched. Run in a
// child: this test program started again for this one row.
void TestTrayWindow::exitWithoutProgramEndSaves()
{
    QFETCH(bool, armed);
    if (const QString folder = qEnvironmentVariable("TESSALY_EXIT_CHILD"); !folder.isEmpty()) {
        runExitChild(folder, armed);
        return;
    }
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n");
    QProcess child;
    QProcessEnvironment environment = childEnvironment(*m_dir);
    environment.insert("TESSALY_EXIT_CHILD", m_dir->path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("exitWithoutProgramEndSaves:") + QTest::currentDataTag()});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 7);  // the exit, not a failure in the child or its normal end
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy")).contains("pending.example"), armed);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath("config")));
    QCOMPARE(regModule::queryValue(AppSettings::settingsKey, "ID").isEmpty(), !armed);
}

void TestTrayWindow::runExitChild(const QString &folder, bool armed)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + "/config"));
    m_tray = std::make_unique<TrayWindow>(*m_state, m_prompter);
    m_tray->start({});
    m_state->stackBase = folder + "/Pemberly";
    m_tray->showMainWindow();
    m_tray->mainWindow()->quickAdd("http://pending.example/");
    auto saveAtExit = std::make_unique<SaveAtExit>(*m_tray);
    if (!armed)
        saveAtExit.reset();
    m_dir.reset();  // the child's own folders, which an exit would leave behind
    m_config.reset();
    // A code that a run of one test function cannot return (it returns the
    // number of failures).
    QTimer::singleShot(0, [] { std::exit(7); });
    QTest::qWait(60000);
    QFAIL("the process did not exit");
}

namespace {

constexpr QPoint anywhere {-1, -1};  // a corner anywhere on the work area

}  // namespace

void TestTrayWindow::mainWindowFrameOnWorkArea_data()
{
    QTest::addColumn<QString>("cf");
    QTest::addColumn<QPoint>("topLeft");      // of the frame
    QTest::addColumn<QPoint>("bottomRight");  // likewise
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("first start") << QString() << anywhere << anywhere;
    QTest::newRow("stored at the top left corner")
        << "0 0 0 0 1 1 0 0 0 9000 6000 0 0 " << area.topLeft() << anywhere;
    QTest::newRow("stored 300 twips in")
        << "0 0 0 0 1 1 0 300 300 9000 6000 0 0 " << area.topLeft() + QPoint(20, 20) << anywhere;
    QTest::newRow("stored past the bottom right")
        << "0 0 0 0 1 1 0 90000 90000 9000 6000 0 0 " << anywhere << area.bottomRight();
    QTest::newRow("docked (settings not loaded)") << "16 " << anywhere << area.bottomRight();
}

// The whole frame of the main window is placed on the work area, whatever the
// window manager's frame (the offscreen platform gives windows a small one).
void TestTrayWindow::mainWindowFrameOnWorkArea()
{
    QFETCH(QString, cf);
    QFETCH(QPoint, topLeft);
    QFETCH(QPoint, bottomRight);
    if (!cf.isEmpty()) {
        regModule::createNewKey(AppSettings::settingsKey, 0x80000001);
        regModule::setKeyValue(AppSettings::settingsKey, "CF", cf, regModule::REG_SZ);
    }
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    MainWindow *main = tray->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QRect area = main->screen()->availableGeometry();
    QTRY_VERIFY2(area.contains(main->frameGeometry()), "the frame is on the work area");
    QVERIFY(main->frameGeometry() != main->geometry());  // the platform did frame it
    if (topLeft != anywhere)
        QCOMPARE(main->frameGeometry().topLeft(), topLeft);
    if (bottomRight != anywhere)
        QCOMPARE(main->frameGeometry().bottomRight(), bottomRight);
}

// A floating button stored at the screen's edge is all on the work area.
void TestTrayWindow::floatingButtonOnWorkArea()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QString id
        = QString("0 %1 %2 0 0 0 True False").arg((area.bottom() - 5) * 15).arg((area.right() - 5) * 15);
    regModule::createNewKey(AppSettings::settingsKey, 0x80000001);
    regModule::setKeyValue(AppSettings::settingsKey, "ID", id, regModule::REG_SZ);
    TrayWindow *tray = startTray();
    QVERIFY(tray->floatingButton()->isVisible());
    QVERIFY(area.contains(tray->floatingButton()->frameGeometry()));
    QCOMPARE(tray->floatingButton()->geometry().bottomRight(), area.bottomRight());
}

void TestTrayWindow::floatingButtonTopmostWhileOnline_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("iAOT");
    QTest::newRow("online, always on top") << true << true;
    QTest::newRow("offline, always on top") << false << true;
    QTest::newRow("online, not on top") << true << false;
    QTest::newRow("offline, not on top") << false << false;
}

// The floating button is topmost exactly while online with iAOT on: when it
// is turned on, and again at every change of a window's topmost state.
void TestTrayWindow::floatingButtonTopmostWhileOnline()
{
    QFETCH(bool, online);
    QFETCH(bool, iAOT);
    TrayWindow *tray = startTray();
    FloatingButton *button = tray->floatingButton();
    m_state->isOnline = online;
    m_state->settings.iAOT = iAOT;
    tray->toggleActiveIcon();
    QVERIFY(m_state->settings.aI && button->isVisible());
    QCOMPARE(button->isTopmost(), online && iAOT);

    // The connection changes; the next topmost change of the main window (a
    // prompt opening, say) applies the rule to the button again.
    m_state->isOnline = !online;
    tray->showMainWindow();
    WindowHelpers::setTopmost(tray->mainWindow(), false);
    QCOMPARE(button->isTopmost(), !online && iAOT);
    QVERIFY(button->isVisible());
}

// Timer1's ticks over a fake connection (mT 1), tick by tick: "up", "down",
// or "show" (the user opens the main window). After each tick the floating
// button's picture and tool tip, whether the main window is loaded, and
// whether the button is on top (iAOT: only while online).
void TestTrayWindow::connectionMonitorDrivesButtonAndMainWindow_data()
{
    QTest::addColumn<int>("oC");
    QTest::addColumn<bool>("hAI");
    QTest::addColumn<bool>("iAOT");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("after");  // "picture tool tip loaded|unloaded[ top]"

    QTest::newRow("a connection loads the main window unshown (oC 1)")
        << 1 << false << true << QStringList {"up"} << QStringList {"id Status: Online: Ready loaded top"};
    QTest::newRow("offline flushes; back online it stays flushed")
        << 0 << false << true << QStringList {"show", "up", "down", "up"}
        << QStringList {"ia Status: Offline loaded", "id Status: Online: Ready loaded top",
                        "ia Status: Offline unloaded", "ib Status: Online: Flushed unloaded top"};
    QTest::newRow("not on top online without iAOT")
        << 0 << false << false << QStringList {"show", "up", "down", "up"}
        << QStringList {"ia Status: Offline loaded", "id Status: Online: Ready loaded",
                        "ia Status: Offline unloaded", "ib Status: Online: Flushed unloaded"};
    QTest::newRow("starting offline unloads nothing; hAI keeps the only way in")
        << 0 << true << true << QStringList {"show", "down"}
        << QStringList {"ia Status: Offline loaded", "ia Status: Offline loaded"};
}

void TestTrayWindow::connectionMonitorDrivesButtonAndMainWindow()
{
    QFETCH(int, oC);
    QFETCH(bool, hAI);
    QFETCH(bool, iAOT);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, after);

    TrayWindow *tray = startTray();
    QVERIFY(tray->connectionWatch() && tray->connectionWatch()->timer()->isActive());
    QCOMPARE(tray->connectionWatch()->timer()->interval(), 4000);
    m_state->settings.mT = 1;
    m_state->settings.oC = oC;
    m_state->settings.hAI = hAI;
    m_state->settings.iAOT = iAOT;
    if (!m_state->settings.aI)
        tray->toggleActiveIcon();
    BrowserFakes::Connection connection;
    TrayConnectionWatch watch(*m_state, *tray, &connection);
    FloatingButton *button = tray->floatingButton();
    for (int i = 0; i < steps.size(); ++i) {
        if (steps[i] == "show") {
            tray->showMainWindow();
            tray->ButtonState(0);
        } else {
            connection.internet = steps[i] == "up";
            watch.monitor().tick();
        }
        QTRY_COMPARE(QString("%1 %2 %3%4")
                         .arg(button->currentPictureName(), button->toolTip(),
                              tray->mainWindow() ? "loaded" : "unloaded", button->isTopmost() ? " top" : ""),
                     after[i]);
        QVERIFY(button->isVisible());
        if (tray->mainWindow() && !steps.contains("show"))  // loaded by the monitor: not shown
            QVERIFY(!tray->mainWindow()->isVisible());
    }
}

void TestTrayWindow::registersLibraryAtStart()
{
    // A build folder's copy registered by an earlier run gives way to the
    // library shipped with the program.
    const QString server = "Software\\Classes\\Pemberly.gConfig\\InprocServer32";
    const QString copy = m_dir->filePath("libpemberly.so");
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/libpemberly.so", copy));
    regModule::createNewKey(server, Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(server, "", copy, regModule::REG_SZ);
    startTray();
    QCOMPARE(regModule::queryValue(server, ""), QCoreApplication::applicationDirPath() + "/libpemberly.so");
    // The program's own path, for the startup entry.
    QCOMPARE(AppPaths::getAppPath("TESSALY.EXE", ""), QCoreApplication::applicationFilePath());
}

void TestTrayWindow::ejectedWindowIsShownAgain()
{
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    tray->mainWindow()->findChild<QAction *>("mnuEject")->trigger();
    tray->mainWindow()->close();
    QVERIFY(!tray->mainWindow()->isVisible());
    tray->showMainWindow();
    QVERIFY(tray->mainWindow()->isVisible());
}

// A flush asked for while a prompt of the main window is open (the tray's
// menu can be used then) waits until the command that asked has finished.
void TestTrayWindow::flushDuringPromptWaitsForIt()
{
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), "+G\r\nu\x05t\r\n+B\r\nv\x05w\r\n");
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    QPointer<MainWindow> main = tray->mainWindow();
    m_prompter.answers << Prompter::Answer::Yes;
    m_prompter.whileAsking = [&] { tray->flushMainWindow(); };
    main->findChild<QAction *>("mnuIPopRemove")->trigger();
    QVERIFY(main);  // the command finished on a live window, with its store
    QCOMPARE(m_state->store.IDXList().groupCount(), 1);
    QTRY_VERIFY(!main);
    QVERIFY(!tray->mainWindow());
    // The flush saved the store as the command left it.
    const QByteArray saved = TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy"));
    QVERIFY(saved.startsWith("+B\r\n"));
    QVERIFY(!saved.contains("+G"));
}

void TestTrayWindow::terminationDuringPromptClosesItFirst()
{
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    QSignalSpy ended(tray, &TrayWindow::programEnded);
    m_prompter.inputs << "Kept?";
    m_prompter.whileAsking = [&] {
        m_state->dialogState = 1;  // as the prompt sets it
        tray->unload();
    };
    tray->mainWindow()->findChild<QAction *>("mnuNewGroup")->trigger();
    QCOMPARE(ended.count(), 0);  // not while the command runs
    QTRY_COMPARE(ended.count(), 1);
}

void TestTrayWindow::endDuringLoadKeepsFile_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("no end: the load ends") << "";
    QTest::newRow("the connection monitor's flush") << "flush";
    QTest::newRow("Unload") << "mPopExit";
    QTest::newRow("kill") << "SIGTERM";
    QTest::newRow("hang-up") << "SIGHUP";
    QTest::newRow("exit without the program's end") << "saveAtExit";
}

// A large default file is read in slices: the tray answers meanwhile (a
// second click neither waits for the load nor starts another), the store
// stays empty until the whole file is in, and whatever ends the window or the
// program during the load drops it, leaving the file and its backup as they
// were and writing the settings as every end does.
void TestTrayWindow::endDuringLoadKeepsFile()
{
    QFETCH(QString, end);
    const int entries = 150000;  // some 20 MiB, far more than a slice reads
    const QByteArray file = TestEnvironment::largeStackFile(entries);
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.tsy"), file);
    TestEnvironment::writeFile(m_dir->filePath("Pemberly.bak"), "+Backup\r\n");
    TrayWindow *tray = startTray();
    tray->showMainWindow();
    QPointer<MainWindow> main = tray->mainWindow();
    QVERIFY(main && main->isLoading());
    QCoreApplication::processEvents();  // a slice
    tray->showMainWindow();
    QCOMPARE(tray->mainWindow(), main.data());
    QVERIFY(main->isLoading() && !main->isVisible());
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QVERIFY(!tray->trayMenu()->findChild<QAction *>("mFlush")->isEnabled());

    TerminationSignals termination;
    connect(&termination, &TerminationSignals::terminationRequested, tray, &TrayWindow::unload);
    QSignalSpy ended(tray, &TrayWindow::programEnded);
    if (end.isEmpty()) {
        // Shown once loaded, with the whole file.
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 30000);
        QCOMPARE(m_state->store.urlDatas().Count(), entries);
        QVERIFY(!main->isLoading());
        return;
    }
    if (end.startsWith("SIG"))
        ::raise(end == "SIGTERM" ? SIGTERM : SIGHUP);
    else if (end == "saveAtExit")
        tray->saveAtExit();
    else if (end == "flush")
        tray->flushMainWindow();
    else
        tray->trayMenu()->findChild<QAction *>(end)->trigger();
    // An unloaded window reads no more: the rest of the file never reaches the store.
    if (!end.startsWith("SIG") && end != "saveAtExit")
        QVERIFY(!main->isLoading());
    if (end != "saveAtExit")
        QTRY_VERIFY(!main);
    QCOMPARE(ended.count(), int(end.startsWith("SIG") || end == "mPopExit"));
    QCOMPARE(m_state->store.urlDatas().Count(), 0);
    QVERIFY(TestEnvironment::readFile(m_dir->filePath("Pemberly.tsy")) == file);
    QCOMPARE(TestEnvironment::readFile(m_dir->filePath("Pemberly.bak")), QByteArray("+Backup\r\n"));
    // Nothing else written: no temporary, no file of unsaved bookmarks; the
    // lock only while the window is there.
    const QStringList written = QDir(m_dir->path()).entryList(QDir::Files);
    QCOMPARE(written.size(), end == "saveAtExit" ? 3 : 2);
    QCOMPARE(QDir(ProgramPaths::stackFolder()).entryList({"unsaved-*"}, QDir::Files), QStringList());
    QCOMPARE(regModule::queryValue(AppSettings::settingsKey, "ID").isEmpty(), end == "flush");
    if (end != "flush")
        return;
    // The lock was given back; the next click reads the whole file again.
    tray->showMainWindow();
    QTRY_VERIFY_WITH_TIMEOUT(tray->mainWindow()->isVisible(), 30000);
    QCOMPARE(m_state->store.urlDatas().Count(), entries);
}

QTEST_MAIN(TestTrayWindow)
#include "TestTrayWindow.moc"
