// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "EntryListModel.h"
#include "InstanceRequests.h"
#include "InstanceServer.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "ScriptedPrompter.h"
#include "SingleInstance.h"
#include "StackFile.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"
#include "UndoCommands.h"
#include "URLBlock.h"

#include <QAction>
#include <QDialog>
#include <QProcess>
#include <QtTest>
#include <memory>

// tsy while the program holds the file: the program runs the command on its
// live store (the file on disk waits for the program's save), and leaves the
// files it does not hold to tsy.
class TestLiveTsy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commands_data();
    void commands();
    void busyProgram_data();
    void busyProgram();
    void fileNotHeldIsLeftToTsy_data();
    void fileNotHeldIsLeftToTsy();

private:
    struct Run
    {
        int status = -1;
        QByteArray out, err;
    };
    void startProgram();
    // Runs tsy in the folder "work" while this process answers as the program.
    void tsy(const QString &line, Run &run);
    int shownRows() const { return m_tray->mainWindow()->activeModel()->rowCount(); }

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_file;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<TrayWindow> m_tray;
    std::unique_ptr<InstanceRequests> m_requests;
};

namespace {

QByteArray entry(const QByteArray &name)
{
    return TestEnvironment::entryLine({"http://" + name.toLower() + ".example/", name, "8E9312698", "8E930C350", "1",
                                       "0", "2"})
        + "\r\n";
}

const QByteArray held = "+Work\r\n" + entry("Alpha") + entry("Beta") + "+Home\r\n" + entry("Gamma");
const QByteArray other = "+Home\r\n" + entry("Delta");
const QByteArray html = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>Imported</H3>\n<DL><p>\n"
                        "<DT><A HREF=\"http://imported.example/\">Imported</A>\n</DL><p>\n</DL><p>\n";

}  // namespace

void TestLiveTsy::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QDir home(m_home->path());
    QVERIFY(home.mkpath("runtime") && home.mkpath("data/Tessaly") && home.mkpath("work/in"));
    QFile::setPermissions(home.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.filePath("runtime")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    m_file = TestEnvironment::writeFile(home.filePath("data/Tessaly/Pemberly.tsy"), held);
    TestEnvironment::writeFile(home.filePath("work/other.tsy"), other);
    TestEnvironment::writeFile(home.filePath("work/in/bookmarks.html"), html);
    QVERIFY(QFile::link(m_file, home.filePath("work/link.tsy")));
}

void TestLiveTsy::cleanup()
{
    m_requests.reset();
    m_tray.reset();
    m_prompter.reset();
    m_state.reset();
    m_instance.reset();
    m_home.reset();
}

void TestLiveTsy::startProgram()
{
    m_instance = std::make_unique<SingleInstance>();
    QVERIFY(!m_instance->AnotherInstance());
    m_state = std::make_unique<AppState>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_tray = std::make_unique<TrayWindow>(*m_state, *m_prompter);
    m_tray->start({});
    QCOMPARE(ProgramPaths::stackFileOf(m_state->stackBase), m_file);
    m_requests = std::make_unique<InstanceRequests>(*m_tray, *m_state);
    QVERIFY(m_requests->listen(m_instance->socketPath()));
    MainWindow *main = m_tray->loadMainWindow(false);
    QVERIFY(main && !main->isLoading() && main->defaultStack().holdsLock());
    QCOMPARE(m_state->store.urlDatas().Count(), 3);
}

void TestLiveTsy::tsy(const QString &line, Run &run)
{
    QProcess process;
    process.setWorkingDirectory(m_home->filePath("work"));
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    QStringList arguments = line.split(u' ', Qt::SkipEmptyParts);
    arguments.replaceInStrings("FILE", m_file);
    process.start(TSY_PATH, arguments);
    QVERIFY(process.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 60000);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

void TestLiveTsy::commands_data()
{
    QTest::addColumn<QString>("lines");  // tsy command lines, ";" between them
    QTest::addColumn<int>("status");     // of the last one
    QTest::addColumn<QByteArray>("out"); // what it printed, FILE for the stack file
    QTest::addColumn<int>("entries");    // in the store afterwards
    QTest::addColumn<int>("groups");
    QTest::addColumn<QString>("first");  // the first entry's title in the file's order
    QTest::addColumn<int>("rows");       // the window's list afterwards (it shows Work)
    QTest::newRow("add") << "add FILE http://new.example/ --title New --group Work" << 0 << QByteArray("00003\n")
                         << 4 << 2 << "Alpha" << 3;
    QTest::newRow("add through a link") << "add link.tsy http://new.example/ --group Home" << 0
                                        << QByteArray("00004\n") << 4 << 2 << "Alpha" << 2;
    QTest::newRow("edit") << "edit FILE 1 --title Renamed" << 0 << QByteArray() << 3 << 2 << "Renamed" << 2;
    QTest::newRow("remove") << "remove FILE 1 3" << 0 << QByteArray() << 1 << 2 << "Beta" << 1;
    QTest::newRow("rate") << "rate FILE 4 1" << 0 << QByteArray() << 3 << 2 << "Alpha" << 2;
    QTest::newRow("move") << "move FILE Home 1" << 0 << QByteArray() << 3 << 2 << "Beta" << 1;
    QTest::newRow("group add") << "group add FILE Extra" << 0 << QByteArray("2\n") << 3 << 3 << "Alpha" << 2;
    QTest::newRow("group rename") << "group rename FILE 1 House" << 0 << QByteArray() << 3 << 2 << "Alpha" << 2;
    QTest::newRow("group remove") << "group remove FILE Home --with-entries" << 0 << QByteArray() << 2 << 1
                                  << "Alpha" << 2;
    QTest::newRow("import-html, a relative path")
        << "import-html FILE in/bookmarks.html" << 0
        << QByteArray("Added 1 group and 1 entry to FILE (0 already there)\n") << 4 << 3 << "Alpha" << 2;
    QTest::newRow("merge, a relative path") << "merge FILE other.tsy" << 0
                                            << QByteArray("Added 0 groups and 1 entry to FILE (0 already there)\n")
                                            << 4 << 2 << "Alpha" << 2;
    QTest::newRow("an unknown key") << "remove FILE 9" << 1 << QByteArray() << 3 << 2 << "Alpha" << 2;
    QTest::newRow("a group that is there") << "group add FILE Work" << 1 << QByteArray() << 3 << 2 << "Alpha" << 2;
    QTest::newRow("list sees an unsaved add")
        << "add FILE http://new.example/ --title New --group Home ; list FILE --all --keys" << 0
        << QByteArray("\n00004\tNew\thttp://new.example/\tNot Rated\tHome\tNever\t") << 4 << 2 << "Alpha" << 2;
    QTest::newRow("find sees an unsaved edit") << "edit FILE 2 --title Found ; find FILE found" << 0
                                               << QByteArray("00002\n") << 3 << 2
                                               << "Alpha" << 2;
    QTest::newRow("group list sees an unsaved group") << "group add FILE Extra ; group list FILE" << 0
                                                      << QByteArray("Work\nHome\nExtra\n") << 3 << 3 << "Alpha" << 2;
}

// Each command changes the live store, which the window's list follows and
// the program counts; the file waits for the program's save, which then
// holds the change.
void TestLiveTsy::commands()
{
    QFETCH(QString, lines);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(int, entries);
    QFETCH(int, groups);
    QFETCH(QString, first);
    QFETCH(int, rows);
    startProgram();
    QCOMPARE(shownRows(), 2);
    Run run;
    for (const QString &line : lines.split(u';'))
        tsy(line, run);
    QCOMPARE(run.status, status);
    if (status == 0)
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.startsWith(QByteArray("tsy " + lines.section(u' ', 0, 0).toUtf8() + ": ")),
                 run.err.constData());
    if (!lines.contains(u';') && !out.isEmpty())
        QCOMPARE(run.out, QByteArray(out).replace("FILE", QFile::encodeName(m_file)));
    else if (!out.isEmpty())
        QVERIFY2(run.out.contains(out), run.out.constData());
    const URLBlock &store = m_state->store;
    QCOMPARE(store.urlDatas().Count(), entries);
    QCOMPARE(store.IDXList().groupCount(), groups);
    QCOMPARE(shownRows(), rows);
    QCOMPARE(TestEnvironment::readFile(m_file), held);
    const bool changed = status == 0 && !lines.startsWith("list") && !lines.startsWith("find");
    QCOMPARE(store.changeCount() > 0, changed);
    // The change is one step of the window's history: undone back to the
    // file as loaded (nothing to save), then made again.
    auto *undo = m_tray->mainWindow()->findChild<UndoCommands *>();
    QVERIFY(undo);
    QCOMPARE(undo->undoAction()->isEnabled(), changed);
    if (changed) {
        if (lines.contains(u';'))  // the last change's step
            QVERIFY(undo->undoAction()->text().startsWith("&Undo tsy "));
        else
            QCOMPARE(undo->undoAction()->text(), "&Undo tsy " + lines.section(u' ', 0, 0));
        undo->undoAction()->trigger();
        if (!lines.contains(u';')) {
            QCOMPARE(store.urlDatas().Count(), 3);
            QCOMPARE(store.IDXList().groupCount(), 2);
            QCOMPARE(store.changeCount(), 0);
            QCOMPARE(shownRows(), 2);
        }
        QVERIFY(!undo->undoAction()->isEnabled());  // what came before the change is no longer a step
        undo->redoAction()->trigger();
        QCOMPARE(store.urlDatas().Count(), entries);
        QCOMPARE(store.IDXList().groupCount(), groups);
        QCOMPARE(shownRows(), rows);
    }
    QVERIFY(m_tray->mainWindow()->saveIfChanged());
    URLBlock saved;
    QVERIFY(StackFile::loadStackFile(saved, m_file, false, 0));
    QCOMPARE(saved.urlDatas().Count(), entries);
    QCOMPARE(saved.IDXList().groupCount(), groups);
    QCOMPARE(saved.urlDatas().Item(qsizetype(1))->Name, first);
}

void TestLiveTsy::busyProgram_data()
{
    QTest::addColumn<QString>("busy");  // what keeps the program busy
    QTest::addColumn<int>("untilMs");   // when it ends; -1: never
    QTest::addColumn<bool>("ran");
    QTest::newRow("a prompt open") << "prompt" << -1 << false;
    QTest::newRow("a modal dialog") << "dialog" << -1 << false;
    QTest::newRow("a prompt closed in time") << "prompt" << 400 << true;
}

// A busy program holds the command back a while, and then refuses it with
// a clear message: nothing is changed half-way.
void TestLiveTsy::busyProgram()
{
    QFETCH(QString, busy);
    QFETCH(int, untilMs);
    QFETCH(bool, ran);
    startProgram();
    m_requests->server()->setBusyWait(ran ? 20000 : 300);
    QDialog dialog;
    if (busy == "prompt")
        m_state->dialogState = AppState::PromptOpen;
    if (busy == "dialog")
        dialog.open();
    if (untilMs >= 0)
        QTimer::singleShot(untilMs, this, [this] { m_state->dialogState = AppState::NoDialog; });
    Run run;
    tsy("add FILE http://new.example/ --group Work", run);
    QCOMPARE(run.status, ran ? 0 : 1);
    QCOMPARE(m_state->store.urlDatas().Count(), ran ? 4 : 3);
    if (!ran)
        QVERIFY2(run.err.startsWith("tsy add: Tessaly is busy ("), run.err.constData());
    QCOMPARE(TestEnvironment::readFile(m_file), held);
}

void TestLiveTsy::fileNotHeldIsLeftToTsy_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("flushed");  // the main window flushed first
    QTest::newRow("another file") << "add other.tsy http://new.example/" << false;
    QTest::newRow("the window flushed") << "add FILE http://new.example/" << true;
}

// What the program does not hold, tsy changes on the disk itself.
void TestLiveTsy::fileNotHeldIsLeftToTsy()
{
    QFETCH(QString, line);
    QFETCH(bool, flushed);
    startProgram();
    if (flushed) {
        m_tray->flushMainWindow();
        QTRY_VERIFY(!m_tray->mainWindow());
    }
    const QString file = flushed ? m_file : m_home->filePath("work/other.tsy");
    const QByteArray before = TestEnvironment::readFile(file);
    Run run;
    tsy(line, run);
    QVERIFY2(run.status == 0, run.err.constData());
    const QByteArray after = TestEnvironment::readFile(file);
    QVERIFY(after.size() > before.size() && after.contains("http://new.example/"));
    if (!flushed)
        QCOMPARE(m_state->store.urlDatas().Count(), 3);
}

QTEST_MAIN(TestLiveTsy)
#include "TestLiveTsy.moc"
