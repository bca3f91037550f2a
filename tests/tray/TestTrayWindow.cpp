// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AccessChecks.h"
#include "AppPaths.h"
#include "AppState.h"
#include "BrowserFakes.h"
#include "FloatingButton.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "Registry.h"
#include "ScriptedPrompter.h"
#include "TestEnvironment.h"
#include "TrayConnectionWatch.h"
#include "TrayFixture.h"
#include "TrayWindow.h"
#include "WindowHelpers.h"
#include "regModule.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QtTest>
#include <cstdlib>
#include <memory>

// The tray window: start, the main window's life and its place on the
// screen, the floating button. (The program's end: TestTrayProgramEnd.)
class TestTrayWindow : public QObject, protected TrayFixture
{
    Q_OBJECT

private slots:
    void init() { setUpTray(); }
    void cleanup() { tearDownTray(); }
    void firstStartWantsIconAndStaysReachable();
    void storedSettingsAreApplied();
    void commandLineNamesDefaultFile();
    void startNamesKeptUnsavedFiles();
    void menuHasEveryItem();
    void outwardItemsSayWhenNothingOpens();
    void showLoadsMainWindowOnce();
    void flushUnloadsAndShowReloads();
    void buttonDoubleClickTogglesMainWindow();
    void reopensAfterSwitchingAway_data();
    void reopensAfterSwitchingAway();
    void toolTipCountsBookmarks_data();
    void toolTipCountsBookmarks();
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
};


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

QTEST_MAIN(TestTrayWindow)
#include "TestTrayWindow.moc"
