// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "FloatingButton.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "Registry.h"
#include "SaveAtExit.h"
#include "TerminationSignals.h"
#include "TestEnvironment.h"
#include "TrayFixture.h"
#include "TrayWindow.h"
#include "regModule.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QtTest>
#include <csignal>
#include <cstdlib>

// The program's end: "Unload", the termination signals, an exit without the
// program's end, an end during a prompt or a load; each saves first.
class TestTrayProgramEnd : public QObject, protected TrayFixture
{
    Q_OBJECT

private slots:
    void init() { setUpTray(); }
    void cleanup() { tearDownTray(); }
    void programEndSavesAndWritesId_data();
    void programEndSavesAndWritesId();
    void terminationSignalEndsProgram_data();
    void terminationSignalEndsProgram();
    void programEndsOnHangUp();
    void unloadedDefaultFileIsMergedAtEveryEnd_data();
    void unloadedDefaultFileIsMergedAtEveryEnd();
    void exitWithoutProgramEndSaves_data();
    void exitWithoutProgramEndSaves();
    void terminationDuringPromptClosesItFirst();
    void endDuringLoadKeepsFile_data();
    void endDuringLoadKeepsFile();

private:
    void runExitChild(const QString &folder, bool armed);
};

void TestTrayProgramEnd::programEndSavesAndWritesId_data()
{
    QTest::addColumn<bool>("autoSave");
    QTest::newRow("auto save on") << true;
    QTest::newRow("auto save off") << false;
}

void TestTrayProgramEnd::programEndSavesAndWritesId()
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

void TestTrayProgramEnd::terminationSignalEndsProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("kill") << int(SIGTERM);
    QTest::newRow("Ctrl+C") << int(SIGINT);
    QTest::newRow("hang-up, end of the session") << int(SIGHUP);
}

// The signal ends the program as "Unload" does, saving the pending changes.
void TestTrayProgramEnd::terminationSignalEndsProgram()
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
void TestTrayProgramEnd::programEndsOnHangUp()
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

void TestTrayProgramEnd::unloadedDefaultFileIsMergedAtEveryEnd_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("Flush") << "mFlush";
    QTest::newRow("Unload") << "mPopExit";
    QTest::newRow("kill") << "SIGTERM";
    QTest::newRow("hang-up") << "SIGHUP";
}

// "Auto Load" off: the store starts empty, and every end adds what the user
// made to the default file instead of replacing it.
void TestTrayProgramEnd::unloadedDefaultFileIsMergedAtEveryEnd()
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

void TestTrayProgramEnd::exitWithoutProgramEndSaves_data()
{
    QTest::addColumn<bool>("armed");
    QTest::newRow("while the program runs") << true;
    QTest::newRow("after main's end") << false;
}

// The loss of the display ends the process with exit() from inside the event
// loop (Qt's X11 platform does so). While the program runs, its end's saves
// still happen; once main is ending (disarmed) nothing is touched. Run in a
// child: this test program started again for this one row.
void TestTrayProgramEnd::exitWithoutProgramEndSaves()
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

void TestTrayProgramEnd::runExitChild(const QString &folder, bool armed)
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

void TestTrayProgramEnd::terminationDuringPromptClosesItFirst()
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

void TestTrayProgramEnd::endDuringLoadKeepsFile_data()
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
void TestTrayProgramEnd::endDuringLoadKeepsFile()
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

QTEST_MAIN(TestTrayProgramEnd)
#include "TestTrayProgramEnd.moc"
