#include "AppState.h"
#include "FloatingButton.h"
#include "MainWindow.h"
#include "ScriptedPrompter.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"
#include "regModule.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QtTest>

#include <csignal>
#include <memory>

// The tray window: start, the main window's life, the program's end.
class TestTrayWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWantsIconAndStaysReachable();
    void storedSettingsAreApplied();
    void commandLineNamesDefaultFile();
    void menuHasEveryItem();
    void showLoadsMainWindowOnce();
    void flushUnloadsAndShowReloads();
    void programEndSavesAndWritesId_data();
    void programEndSavesAndWritesId();
    void buttonDoubleClickTogglesMainWindow();
    void singleInstance();
    void terminationSignalEndsProgram();
    void registersLibraryAtStart();
    void ejectedWindowIsShownAgain();
    void flushDuringPromptWaitsForIt();
    void terminationDuringPromptClosesItFirst();

private:
    TrayWindow *startTray(const QStringList &arguments = {});

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

void TestTrayWindow::commandLineNamesDefaultFile()
{
    startTray({"work"});
    QVERIFY(m_state->stackBase.endsWith("/work"));
    startTray({"my", "list.tsy"});
    QVERIFY(m_state->stackBase.endsWith("/my list.tsy"));
}

void TestTrayWindow::menuHasEveryItem()
{
    TrayWindow *tray = startTray();
    QStringList items;
    QStringList enabled;
    for (QAction *action : tray->trayMenu()->actions()) {
        items << (action->isSeparator() ? QString("-") : action->text());
        if (!action->isSeparator() && action->isEnabled())
            enabled << action->text();
    }
    QCOMPARE(items, (QStringList {"Tessaly", "Restore", "-", "Tessaly Help", "Contacting Orvane", "-",
                                  "Tessaly Web Site", "-", "Flush", "-", "About", "Unload"}));
    QCOMPARE(enabled, (QStringList {"Tessaly", "Restore", "Unload"}));
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
    tray->trayMenu()->findChild<QAction *>("mPopExit")->trigger();
    QCOMPARE(ended.count(), 1);
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
    emit button->doubleClicked();
    QVERIFY(!tray->mainWindow()->isVisible());
    emit button->doubleClicked();
    QVERIFY(tray->mainWindow()->isVisible());
    QCOMPARE(button->currentPictureName(), QString("ia"));
}

void TestTrayWindow::singleInstance()
{
    const QString name = QString("tessaly-test-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<SingleInstance>(name);
    QVERIFY(!first->AnotherInstance());
    SingleInstance second(name);
    QVERIFY(second.AnotherInstance());
    first.reset();
    SingleInstance third(name);
    QVERIFY(!third.AnotherInstance());
}

void TestTrayWindow::terminationSignalEndsProgram()
{
    TrayWindow *tray = startTray();
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::terminationRequested, tray, &TrayWindow::unload);
    QSignalSpy ended(tray, &TrayWindow::programEnded);
    ::raise(SIGTERM);
    QTRY_COMPARE(ended.count(), 1);
}

void TestTrayWindow::registersLibraryAtStart()
{
    startTray();
    QVERIFY(regModule::queryValue("Software\\Classes\\Pemberly.gConfig\\InprocServer32", "")
                .endsWith("/libpemberly.so"));
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

QTEST_MAIN(TestTrayWindow)
#include "TestTrayWindow.moc"
