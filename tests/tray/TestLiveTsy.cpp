// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "EntryListModel.h"
#include "EntryOperations.h"
#include "InstanceRequests.h"
#include "InstanceServer.h"
#include "LiveStoreRequests.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "ScriptedPrompter.h"
#include "SingleInstance.h"
#include "StackFile.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"
#include "UndoCommands.h"
#include "URLBlock.h"
#include "tools/tsy/BrowserHome.h"

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
    void desktopCommands_data();
    void desktopCommands();
    void openInProgram_data();
    void openInProgram();
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
    // The visits of the entry that has key when the store's file is read.
    int visitsOf(quint32 key) const;
    QString undoText() const;

    // HOME and the XDG data and configuration folders, with a stand-in
    // browser in App Paths and a Firefox whose session shows a page.
    std::unique_ptr<BrowserHome> m_browser;
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
    m_browser = std::make_unique<BrowserHome>();
    m_home = std::make_unique<QTemporaryDir>();
    QDir home(m_home->path());
    QVERIFY(home.mkpath("runtime") && QDir().mkpath(m_browser->path("data/Tessaly")) && home.mkpath("work/in"));
    QFile::setPermissions(home.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.filePath("runtime")));
    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        qputenv(name, QFile::encodeName(m_browser->environment().value(name)));
    m_browser->setAppPaths(m_browser->recorder());
    m_browser->runFirefox("http://s.example/", "Page");
    m_file = TestEnvironment::writeFile(m_browser->path("data/Tessaly/Pemberly.tsy"), held);
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
    m_browser.reset();
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

int TestLiveTsy::visitsOf(quint32 key) const
{
    const URLData *entry = m_state->store.urlDatas().Item(
        m_state->store.urlDatas().positionOfKey(StackFile::keyNumberInStore(m_state->store, key)));
    return entry ? entry->Visited : -1;
}

QString TestLiveTsy::undoText() const
{
    auto *undo = m_tray->mainWindow()->findChild<UndoCommands *>();
    return undo && undo->undoAction()->isEnabled() ? undo->undoAction()->text() : QString();
}

void TestLiveTsy::desktopCommands_data()
{
    QTest::addColumn<QString>("lines");     // tsy command lines, ";" between them
    QTest::addColumn<QString>("settings");  // for tsy settings --set
    QTest::addColumn<bool>("browser");      // App Paths name the stand-in, else a missing program
    QTest::addColumn<int>("status");        // of the last line
    QTest::addColumn<QByteArray>("out");    // what it printed
    QTest::addColumn<int>("entries");       // in the store afterwards
    QTest::addColumn<int>("rows");          // the window's list afterwards (it shows Work)
    QTest::addColumn<int>("key");           // the entry whose visits are counted, 0 none
    QTest::addColumn<int>("visits");        // its visits afterwards
    QTest::addColumn<QStringList>("started");  // the stand-in browser's arguments
    QTest::addColumn<QString>("undo");      // the window's "Undo", "" when there is nothing to undo
    const QStringList none;
    QTest::newRow("capture: the page added to the live store")
        << "capture FILE --group Work" << "pB=1 cAF=2" << true << 0 << QByteArray("00003\n") << 4 << 3 << 0 << 0
        << none << "&Undo tsy capture";
    QTest::newRow("capture through a link into the second group")
        << "capture link.tsy --group 1" << "pB=1" << true << 0 << QByteArray("00004\n") << 4 << 2 << 0 << 0
        << none << "&Undo tsy capture";
    QTest::newRow("capture into a group that is not there") << "capture FILE --group Nowhere" << "pB=1" << true
                                                            << 1 << QByteArray() << 3 << 2 << 0 << 0 << none << "";
    QTest::newRow("capture with no browser answering") << "capture FILE --group Work" << "pB=0" << true << 1
                                                       << QByteArray() << 3 << 2 << 0 << 0 << none << "";
    QTest::newRow("open: the browser started here, the visit counted there")
        << "open FILE 2" << "pB=0" << true << 0 << QByteArray() << 3 << 2 << 2 << 2
        << QStringList {"http://beta.example/"} << "";
    QTest::newRow("open by address through a link")
        << "open link.tsy http://gamma.example/" << "pB=0" << true << 0 << QByteArray() << 3 << 2 << 3 << 2
        << QStringList {"http://gamma.example/"} << "";
    QTest::newRow("open keeps the window's history: the visit is no step")
        << "rate FILE 4 1 ; open FILE 1" << "pB=0" << true << 0 << QByteArray() << 3 << 2 << 1 << 2
        << QStringList {"http://alpha.example/"} << "&Undo tsy rate";
    QTest::newRow("open of an unknown key") << "open FILE 9" << "pB=0" << true << 1 << QByteArray() << 3 << 2 << 0
                                            << 0 << none << "";
    QTest::newRow("open with a browser that cannot start: no visit")
        << "open FILE 1" << "pB=0" << false << 1 << QByteArray() << 3 << 2 << 1 << 1 << none << "";
}

// capture and open while the program holds FILE: the browser is asked (or
// started) by tsy, the store's change is made in the program. The page
// captured is one more undoable step; a visit is counted as the window's own
// openings count it, without a step.
void TestLiveTsy::desktopCommands()
{
    QFETCH(QString, lines);
    QFETCH(QString, settings);
    QFETCH(bool, browser);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(int, entries);
    QFETCH(int, rows);
    QFETCH(int, key);
    QFETCH(int, visits);
    QFETCH(QStringList, started);
    QFETCH(QString, undo);
    if (!browser)
        m_browser->setAppPaths(m_browser->path("missing"));
    startProgram();
    Run run;
    tsy("settings --set " + settings.replace(u' ', QLatin1String(" --set ")), run);
    for (const QString &line : lines.split(u';')) {
        QVERIFY2(run.status == 0, run.err.constData());  // each line before the last succeeds
        tsy(line, run);
    }
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, out);
    if (status == 0)
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.startsWith(QByteArray("tsy " + lines.section(u' ', 0, 0).toUtf8() + ": ")) && run.err.count('\n') == 1,
                 run.err.constData());
    QCOMPARE(m_browser->recordedArguments(!started.isEmpty()), started);
    QCOMPARE(m_state->store.urlDatas().Count(), entries);
    QCOMPARE(shownRows(), rows);
    if (key > 0)
        QCOMPARE(visitsOf(quint32(key)), visits);
    QCOMPARE(m_state->store.changeCount() > 0, status == 0);
    QCOMPARE(undoText(), undo);
    QCOMPARE(TestEnvironment::readFile(m_file), held);
    // A shortcut where cAF asks for one, in the program's favorites folder.
    QCOMPARE(QFile::exists(m_browser->favorites() + "/Page.url"), settings.contains("cAF=2") && status == 0);
    QVERIFY(m_tray->mainWindow()->saveIfChanged());
    URLBlock saved;
    QVERIFY(StackFile::loadStackFile(saved, m_file, false, 0));
    QCOMPARE(saved.urlDatas().Count(), entries);
    if (lines.startsWith("capture") && status == 0)
        QCOMPARE(saved.urlDatas().Item(saved.urlDatas().positionOfKey(out.trimmed().toUInt()))->url,
                 "http://s.example/");
    if (key > 0)
        QCOMPARE(saved.urlDatas().Item(saved.urlDatas().positionOfKey(quint32(key)))->Visited, visits);
}

void TestLiveTsy::openInProgram_data()
{
    QTest::addColumn<QString>("line");      // what tsy-desktop sends, FILE for the stack file
    QTest::addColumn<bool>("added");        // the window added an entry to Work first
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");    // the start of the error
    QTest::addColumn<int>("key");           // whose visits are counted, 0 none (keys as the file gives them)
    QTest::addColumn<int>("row");           // the window's row that shows the visit, -1 none
    QTest::newRow("the entry named") << "open -- FILE 2" << false << 0 << QByteArray("00002\nhttp://beta.example/\n")
                                     << QByteArray() << 0 << -1;
    QTest::newRow("the first entry of an address")
        << "open -- FILE http://gamma.example/" << false << 0 << QByteArray("00003\nhttp://gamma.example/\n")
        << QByteArray() << 0 << -1;
    QTest::newRow("keys as the file gives them, not the store's")
        << "open -- FILE 4" << true << 0 << QByteArray("00004\nhttp://gamma.example/\n") << QByteArray() << 0 << -1;
    QTest::newRow("an unknown key") << "open -- FILE 9" << false << 1 << QByteArray() << QByteArray("tsy open: ")
                                    << 0 << -1;
    QTest::newRow("the visit counted") << "open --visit=http://beta.example/ -- FILE 2" << false << 0 << QByteArray()
                                       << QByteArray() << 2 << 1;
    QTest::newRow("the visit counted on the entry the file's key names")
        << "open --visit=http://gamma.example/ -- FILE 4" << true << 0 << QByteArray() << QByteArray() << 4 << -1;
    QTest::newRow("an entry whose address changed meanwhile: no visit")
        << "open --visit=http://changed.example/ -- FILE 2" << false << 1 << QByteArray()
        << QByteArray("tsy open: entry 00002 no longer has the address that was opened") << 0 << -1;
}

// The program's half of tsy open, asked as tsy-desktop asks it: the entry
// found by the key as the file would give it, and its visit counted only
// while its address is the one opened.
void TestLiveTsy::openInProgram()
{
    QFETCH(QString, line);
    QFETCH(bool, added);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, key);
    QFETCH(int, row);
    startProgram();
    if (added) {
        EntryOperations::NewEntry entry;
        entry.url = "http://added.example/";
        entry.group = 0;
        QVERIFY(EntryOperations::add(m_state->store, entry, 45000));
        m_state->store.countChange();
    }
    const qint64 changes = m_state->store.changeCount();
    InstanceMessage::Request request;
    request.command = "tsy";
    request.stackFile = m_file;
    request.arguments = line.split(u' ').replaceInStrings("FILE", m_file);
    const int before = key > 0 ? visitsOf(quint32(key)) : 0;
    QSignalSpy shown(m_tray->mainWindow()->activeModel(), &QAbstractItemModel::dataChanged);
    const InstanceMessage::Reply reply = m_requests->liveStore()->answer(request);
    QVERIFY(reply.status);
    QCOMPARE(*reply.status, status);
    QCOMPARE(reply.out, out);
    QVERIFY2(reply.err.startsWith(err) && reply.err.isEmpty() == err.isEmpty(), reply.err.constData());
    QCOMPARE(m_state->store.urlDatas().Count(), added ? 4 : 3);
    if (key > 0)
        QCOMPARE(visitsOf(quint32(key)), before + 1);
    QCOMPARE(m_state->store.changeCount() > changes, key > 0);
    QCOMPARE(undoText(), QString());
    QCOMPARE(shown.size(), row >= 0 ? 1 : 0);
    if (row >= 0)
        QCOMPARE(shown.first().first().toModelIndex().row(), row);
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
