// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "InstanceClient.h"
#include "InstanceMessage.h"
#include "InstanceRequests.h"
#include "MainWindow.h"
#include "ProgramPaths.h"
#include "RuntimeFolderFixture.h"
#include "ScriptedPrompter.h"
#include "SecondStart.h"
#include "SingleInstance.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"

#include <QProcess>
#include <QtTest>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A socket file with no program behind it, as a killed program leaves it.
void leaveDeadSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    ::close(fd);
}

}  // namespace

// A second start of the program: it shows the running one's window, refuses
// to open another file beside it, and is not stopped by what a killed or
// silent program left behind.
class TestSecondStart : public QObject, protected RuntimeFolderFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        setUpRuntimeFolder();
        m_childHome = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        m_childHome.reset();
        tearDownRuntimeFolder();
    }
    void secondStartShowsFirst_data();
    void secondStartShowsFirst();
    void secondStartNamingAnotherFileIsRefused();
    void staleSocketDoesNotStopStart_data();
    void staleSocketDoesNotStopStart();
    void silentProgramIsReported();
private:
    // The real program, in a private home that shares this test's runtime folder.
    void startProgram(QProcess &child, const QStringList &arguments = {})
    {
        const QString program = QCoreApplication::applicationDirPath() + "/tessaly";
        QVERIFY2(QFileInfo::exists(program), "the program is built beside the tests");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", m_childHome->filePath("config"));
        environment.insert("XDG_DATA_HOME", m_childHome->filePath("data"));
        environment.insert("XDG_RUNTIME_DIR", m_runtime->path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(program, arguments);
        QVERIFY(child.waitForStarted());
    }

    std::unique_ptr<QTemporaryDir> m_childHome;
};

void TestSecondStart::secondStartShowsFirst_data()
{
    QTest::addColumn<bool>("namingItsFile");
    QTest::newRow("no file named") << false;
    QTest::newRow("naming the running program's file") << true;
}

// Two processes: this one runs the program, the real program started again
// asks it to show its window and ends with status 0.
void TestSecondStart::secondStartShowsFirst()
{
    QFETCH(bool, namingItsFile);
    SingleInstance instance;
    QVERIFY(!instance.AnotherInstance());
    AppState state;
    ScriptedPrompter prompter;
    TrayWindow tray(state, prompter);
    tray.start({});
    InstanceRequests requests(tray, state);
    QVERIFY(requests.listen(instance.socketPath()));
    QProcess second;
    startProgram(second,
                 namingItsFile ? QStringList {ProgramPaths::stackFileOf(state.stackBase)} : QStringList());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 30000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY(tray.mainWindow() && tray.mainWindow()->isVisible());
    QCOMPARE(second.readAllStandardError(), QByteArray());
}

// With the real program running, a start naming another file is refused
// with a message on standard error and in a message box; one naming none is not.
void TestSecondStart::secondStartNamingAnotherFileIsRefused()
{
    QProcess first;
    startProgram(first);
    const QString socket = SingleInstance().socketPath();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 30000);
    ScriptedPrompter prompter;
    SecondStart second(prompter, socket);
    int status = -1;
    const QString said = TestEnvironment::standardErrorOf([&] { status = second.run({"work"}); });
    QCOMPARE(status, 1);
    const QString running = m_childHome->filePath("data/Tessaly/Pemberly.tsy");
    const QString named = ProgramPaths::stackFolder() + "/work.tsy";
    QVERIFY2(said.startsWith("tessaly: Tessaly is running already, with the bookmarks of " + running + ".")
                 && said.contains(named + " cannot be opened"),
             qPrintable(said));
    QCOMPARE(prompter.asked, QStringList {"message|Tessaly|" + said.mid(9).trimmed()});
    QCOMPARE(second.run({}), 0);
    QCOMPARE(prompter.asked.size(), 1);
    ::kill(pid_t(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
}

void TestSecondStart::staleSocketDoesNotStopStart_data()
{
    QTest::addColumn<QString>("left");
    QTest::newRow("by a killed program") << "killed";
    QTest::newRow("a socket nobody listens at") << "socket";
    QTest::newRow("a plain file") << "file";
}

// Whatever a killed program left at the socket's place, the next start runs
// as the first one and answers.
void TestSecondStart::staleSocketDoesNotStopStart()
{
    QFETCH(QString, left);
    const QString socket = SingleInstance().socketPath();
    if (left == "killed") {
        QProcess killed;
        startProgram(killed);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 30000);
        killed.kill();
        QVERIFY(killed.waitForFinished());
        QVERIFY(QFileInfo::exists(socket) && QFileInfo::exists(SingleInstance().lockFilePath()));
    } else if (left == "socket") {
        leaveDeadSocket(socket);
    } else {
        TestEnvironment::writeFile(socket, "left\n");
    }
    QProcess next;
    startProgram(next);
    QString error;
    const std::optional<InstanceMessage::Reply> reply
        = InstanceClient(socket).ask({1, "show", {}, {}}, 30000, &error);
    QVERIFY2(reply && reply->ok, qPrintable(error));
    QCOMPARE(next.state(), QProcess::Running);
    ::kill(pid_t(next.processId()), SIGTERM);
    QVERIFY(next.waitForFinished(30000));
    QCOMPARE(next.exitCode(), 0);
}

// A program that holds the lock but does not answer (one of an earlier
// version, or one that hangs) is said to be so.
void TestSecondStart::silentProgramIsReported()
{
    SingleInstance instance;
    QVERIFY(!instance.AnotherInstance());
    leaveDeadSocket(instance.socketPath());
    ScriptedPrompter prompter;
    SecondStart second(prompter, instance.socketPath());
    second.setTimeout(300);
    int status = -1;
    const QString said = TestEnvironment::standardErrorOf([&] { status = second.run({}); });
    QCOMPARE(status, 1);
    QVERIFY2(
        said.startsWith("tessaly: Tessaly is running already but does not answer (" + instance.socketPath()),
        qPrintable(said));
    QCOMPARE(prompter.asked.size(), 1);
}

QTEST_MAIN(TestSecondStart)
#include "TestSecondStart.moc"
