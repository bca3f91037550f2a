// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "InstanceMessage.h"
#include "InstanceRequests.h"
#include "InstanceServer.h"
#include "MainWindow.h"
#include "PeerCredentials.h"
#include "ProgramPaths.h"
#include "RuntimeFolderFixture.h"
#include "ScriptedPrompter.h"
#include "SingleInstance.h"
#include "TestEnvironment.h"
#include "TrayWindow.h"

#include <QLocalSocket>
#include <QtTest>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

// One program per user: the lock, the socket through which another start
// asks the running program to show its window, and what it refuses. (A
// second start of the real program: TestSecondStart.)
class TestSingleInstance : public QObject, protected RuntimeFolderFixture
{
    Q_OBJECT

private slots:
    void init() { setUpRuntimeFolder(); }
    void cleanup() { tearDownRuntimeFolder(); }
    void lockIsTakenOver();
    void runtimeFolderOfAnotherUserIsPassedOver();
    void requestLines_data();
    void requestLines();
    void replyLines_data();
    void replyLines();
    void peerUser();
    void socketIsTheUsersOnly();
    void otherUserIsRefused();
    void garbageIsIgnored_data();
    void garbageIsIgnored();
    void answers_data();
    void answers();
};

namespace {

const QByteArray show = R"({"version":1,"command":"show"})"
                        "\n";

// An answer from an in-process server, the client waiting in the event loop.
std::optional<InstanceMessage::Reply> askAsync(const QString &path, const QByteArray &request)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(5000))
        return std::nullopt;
    socket.write(request);
    QDeadlineTimer deadline(10000);
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
        QTest::qWait(10);
    return socket.canReadLine() ? InstanceMessage::decodeReply(socket.readLine()) : std::nullopt;
}

}  // namespace

void TestSingleInstance::lockIsTakenOver()
{
    auto first = std::make_unique<SingleInstance>();
    QVERIFY(!first->AnotherInstance());
    QCOMPARE(QFileInfo(first->lockFilePath()).path(), m_runtime->path());
    QCOMPARE(QFileInfo(first->socketPath()).path(), m_runtime->path());
    SingleInstance second;
    QVERIFY(second.AnotherInstance());
    first.reset();
    SingleInstance third;
    QVERIFY(!third.AnotherInstance());
}

// A runtime folder that is not the user's own holds neither lock nor socket:
// they go to one that only the user may enter.
void TestSingleInstance::runtimeFolderOfAnotherUserIsPassedOver()
{
    if (::geteuid() != 0)
        QSKIP("only root can give a folder to another user");
    QVERIFY(::chown(QFile::encodeName(m_runtime->path()).constData(), 65534, 65534) == 0);
    const QString folder = QFileInfo(SingleInstance().socketPath()).path();
    QCOMPARE(QFileInfo(SingleInstance().lockFilePath()).path(), folder);
    QVERIFY(folder != m_runtime->path());
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(folder).constData(), &status) == 0);
    QVERIFY(status.st_uid == ::geteuid() && (status.st_mode & 077) == 0);
}

void TestSingleInstance::requestLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("stackFile");
    QTest::newRow("show") << show << true << "show"
                          << "";
    QTest::newRow("a file; members it does not know passed over")
        << QByteArray(R"({"version":1,"command":"show","stackFile":"/a/b.tsy","later":[1,2]})") << true
        << "show"
        << "/a/b.tsy";
    QTest::newRow("a file name with a line break")
        << QByteArray(R"({"version":1,"command":"show","stackFile":"/a/b\nc.tsy"})") << true << "show"
        << "/a/b\nc.tsy";
    QTest::newRow("a tsy command line")
        << QByteArray(R"({"version":2,"command":"tsy","stackFile":"/a/b.tsy","arguments":["add","/a/b.tsy","--","u"]})")
        << true << "tsy"
        << "/a/b.tsy";
    QTest::newRow("a number among the arguments")
        << QByteArray(R"({"version":2,"command":"tsy","arguments":["add",5]})") << false << ""
        << "";
    QTest::newRow("arguments not a list") << QByteArray(R"({"version":2,"command":"tsy","arguments":"add"})")
                                          << false << ""
                                          << "";
    QTest::newRow("not JSON") << QByteArray("show\n") << false << ""
                              << "";
    QTest::newRow("an array") << QByteArray("[1]\n") << false << ""
                              << "";
    QTest::newRow("no version") << QByteArray(R"({"command":"show"})") << false << ""
                                << "";
    QTest::newRow("version 0") << QByteArray(R"({"version":0,"command":"show"})") << false << ""
                               << "";
    QTest::newRow("a fraction for a version")
        << QByteArray(R"({"version":1.5,"command":"show"})") << false << ""
        << "";
    QTest::newRow("no command") << QByteArray(R"({"version":1})") << false << ""
                                << "";
    QTest::newRow("a number for a command") << QByteArray(R"({"version":1,"command":5})") << false << ""
                                            << "";
    QTest::newRow("a number for a file")
        << QByteArray(R"({"version":1,"command":"show","stackFile":5})") << false << ""
        << "";
    QTest::newRow("bytes") << QByteArray("\x00\xff\xfe\n", 4) << false << ""
                           << "";
    QTest::newRow("too long") << QByteArray(R"({"version":1,"command":"show","stackFile":")"
                                            + QByteArray(InstanceMessage::maxLineBytes, 'a') + "\"}")
                              << false << ""
                              << "";
}

// What a request line holds; a request written and read back is itself, on one line.
void TestSingleInstance::requestLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(QString, command);
    QFETCH(QString, stackFile);
    const std::optional<InstanceMessage::Request> request = InstanceMessage::decodeRequest(line);
    QCOMPARE(request.has_value(), valid);
    if (!valid)
        return;
    QCOMPARE(request->command, command);
    QCOMPARE(request->stackFile, stackFile);
    const QByteArray written = InstanceMessage::encode(*request);
    QCOMPARE(written.count('\n'), 1);
    QVERIFY(written.endsWith('\n'));
    const std::optional<InstanceMessage::Request> again = InstanceMessage::decodeRequest(written);
    QVERIFY(again && again->command == command && again->stackFile == stackFile
            && again->version == request->version && again->arguments == request->arguments);
    if (command == "tsy")
        QCOMPARE(again->arguments, QStringList({"add", "/a/b.tsy", "--", "u"}));
}

void TestSingleInstance::replyLines_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("outputLines");
    QTest::newRow("nothing printed") << QByteArray() << QByteArray() << 0;
    QTest::newRow("a line each") << QByteArray("00003\n") << QByteArray("tsy: \xff\x00 bytes\n", 14) << 2;
    QTest::newRow("more than a line holds")
        << QByteArray(3 * InstanceMessage::outputPieceBytes + 1, '\x05') << QByteArray() << 4;
}

// An answer longer than a line may be goes in several output lines, none too
// long, and comes back byte for byte, the reply line last.
void TestSingleInstance::replyLines()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, outputLines);
    InstanceMessage::Reply reply;
    reply.ok = true;
    reply.status = 3;
    reply.out = out;
    reply.err = err;
    const QList<QByteArray> lines = InstanceMessage::encode(reply).split('\n');
    QCOMPARE(lines.size(), outputLines + 2);
    QCOMPARE(lines.last(), QByteArray());
    QByteArray printed[2];
    for (const QByteArray &line : lines.first(outputLines)) {
        QVERIFY(line.size() < InstanceMessage::maxLineBytes);
        QVERIFY(!InstanceMessage::decodeReply(line));
        const std::optional<InstanceMessage::Output> output = InstanceMessage::decodeOutput(line);
        QVERIFY(output);
        printed[output->toError] += output->bytes;
    }
    QCOMPARE(printed[0], out);
    QCOMPARE(printed[1], err);
    const std::optional<InstanceMessage::Reply> last = InstanceMessage::decodeReply(lines[outputLines]);
    QVERIFY(last && last->ok && last->status == 3);
    QVERIFY(!InstanceMessage::decodeOutput(lines[outputLines]));
    for (const QByteArray &bad : {QByteArray(R"({"out":"not base64!"})"), QByteArray(R"({"out":"AA==","err":"AA=="})"),
                                  QByteArray(R"({"err":5})"), QByteArray(R"({"ok":true,"status":300})")}) {
        QVERIFY2(!InstanceMessage::decodeOutput(bad) && !InstanceMessage::decodeReply(bad), bad.constData());
    }
}

// The kernel names the user at the other end of a socket, and of nothing else.
void TestSingleInstance::peerUser()
{
    int pair[2];
    QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) == 0);
    QCOMPARE(PeerCredentials::userOf(pair[0]), std::optional<uid_t>(::geteuid()));
    ::close(pair[0]);
    ::close(pair[1]);
    QFile file(m_runtime->filePath("plain"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(PeerCredentials::userOf(file.handle()), std::nullopt);
    QCOMPARE(PeerCredentials::userOf(-1), std::nullopt);
}

void TestSingleInstance::socketIsTheUsersOnly()
{
    InstanceServer server([](const InstanceMessage::Request &) {
        InstanceMessage::Reply reply;
        reply.ok = true;
        return reply;
    });
    const QString path = SingleInstance().socketPath();
    QVERIFY(server.listen(path));
    QCOMPARE(server.path(), path);
    struct stat status
    {
    };
    QVERIFY(::lstat(QFile::encodeName(path).constData(), &status) == 0);
    QVERIFY(S_ISSOCK(status.st_mode));
    QCOMPARE(status.st_mode & 07777, mode_t(0600));
    QCOMPARE(status.st_uid, ::geteuid());
}

// A program of another user gets no answer, and nothing is done for it.
// (The test cannot be another user: the server is told it runs as one.)
void TestSingleInstance::otherUserIsRefused()
{
    int handled = 0;
    InstanceServer server([&handled](const InstanceMessage::Request &) {
        ++handled;
        InstanceMessage::Reply reply;
        reply.ok = true;
        return reply;
    });
    QSignalSpy refused(&server, &InstanceServer::connectionRefused);
    QVERIFY(server.listen(m_runtime->filePath("t.socket")));
    server.setOwnUser(::geteuid() + 1);
    QCOMPARE(askAsync(server.path(), show), std::nullopt);
    QCOMPARE(handled, 0);
    QCOMPARE(refused.count(), 1);
    server.setOwnUser(::geteuid());
    const std::optional<InstanceMessage::Reply> reply = askAsync(server.path(), show);
    QVERIFY(reply && reply->ok);
    QCOMPARE(handled, 1);
}

void TestSingleInstance::garbageIsIgnored_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("answered");  // requests answered before the connection is closed
    QTest::newRow("not JSON") << QByteArray("hello\n") << 0;
    QTest::newRow("JSON of another shape") << QByteArray(R"({"version":1})"
                                                         "\n")
                                           << 0;
    QTest::newRow("bytes") << QByteArray("\x00\xff\x01\n", 4) << 0;
    QTest::newRow("a line too long, without its end")
        << QByteArray(InstanceMessage::maxLineBytes + 10, '{') << 0;
    QTest::newRow("half a request, then silence") << QByteArray(R"({"version":1,)") << 0;
    QTest::newRow("a request, then junk") << show + "junk\n" << 1;
    QTest::newRow("two requests in one write") << show + show << 2;
    // Lines of 64,000 bytes: the 17th passes what a client may send in all.
    const QByteArray padded = R"({"version":1,"command":"show","pad":")" + QByteArray(63960, 'a') + "\"}\n";
    QTest::newRow("too much in all") << padded.repeated(20) << 16;
}

// Whatever is sent that is not a request ends its connection; the server
// goes on answering others.
void TestSingleInstance::garbageIsIgnored()
{
    QFETCH(QByteArray, sent);
    QFETCH(int, answered);
    int handled = 0;
    InstanceServer server([&handled](const InstanceMessage::Request &) {
        ++handled;
        InstanceMessage::Reply reply;
        reply.ok = true;
        return reply;
    });
    // Only silence waits for the idle time: anything else is answered or refused at once.
    server.setIdleTimeout(QByteArray(QTest::currentDataTag()).contains("silence") ? 300 : 60000);
    QSignalSpy refused(&server, &InstanceServer::connectionRefused);
    QVERIFY(server.listen(m_runtime->filePath("t.socket")));
    QLocalSocket socket;
    socket.connectToServer(server.path());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(sent);
    if (answered == 2) {  // a good client is answered and stays
        QTRY_COMPARE(socket.peek(4096).count('\n'), 2);
        QCOMPARE(socket.state(), QLocalSocket::ConnectedState);
        QCOMPARE(refused.count(), 0);
        socket.disconnectFromServer();
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 5000);
        // A connection closed with the client's lines unread is reset: the answers may be lost.
        if (answered < 16)
            QCOMPARE(socket.readAll().count('\n'), answered);
        QCOMPARE(refused.count(), 1);
    }
    QCOMPARE(handled, answered);
    const std::optional<InstanceMessage::Reply> reply = askAsync(server.path(), show);
    QVERIFY(reply && reply->ok);
    QCOMPARE(handled, answered + 1);
}

void TestSingleInstance::answers_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");  // "own", "link", "dots", "other" or none
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("ending");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no file named") << "show"
                                   << "" << 1 << false << true;
    QTest::newRow("its own file") << "show"
                                  << "own" << 1 << false << true;
    QTest::newRow("its own file through a link") << "show"
                                                 << "link" << 1 << false << true;
    QTest::newRow("its own file by a path with ..") << "show"
                                                    << "dots" << 1 << false << true;
    QTest::newRow("another file") << "show"
                                  << "other" << 1 << false << false;
    QTest::newRow("an unknown request") << "quit"
                                        << "" << 1 << false << false;
    QTest::newRow("a later version") << "show"
                                     << "" << 3 << false << false;
    QTest::newRow("version 1") << "show"
                               << "" << 1 << false << true;
    QTest::newRow("while the program ends") << "show"
                                            << "" << 1 << true << false;
}

// The running program shows its window when asked, unless the start names
// another stack file: that one cannot be opened beside its own.
void TestSingleInstance::answers()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(int, version);
    QFETCH(bool, ending);
    QFETCH(bool, shown);
    AppState state;
    ScriptedPrompter prompter;
    TrayWindow tray(state, prompter);
    tray.start({});
    InstanceRequests requests(tray, state);
    const QString own = ProgramPaths::stackFileOf(state.stackBase);
    TestEnvironment::writeFile(own, "+G\r\nu\x05t\r\n");
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(own, elsewhere.filePath("link.tsy")));
    InstanceMessage::Request request;
    request.version = version;
    request.command = command;
    if (file == "own")
        request.stackFile = own;
    else if (file == "link")
        request.stackFile = elsewhere.filePath("link.tsy");
    else if (file == "dots")
        request.stackFile = QFileInfo(own).path() + "/../Tessaly/" + QFileInfo(own).fileName();
    else if (file == "other")
        request.stackFile = elsewhere.filePath("work.tsy");

    if (ending)
        tray.unload();
    const InstanceMessage::Reply reply = requests.answer(request);
    QCOMPARE(reply.ok, shown);
    QCOMPARE(reply.stackFile, own);
    QCOMPARE(reply.error.isEmpty(), shown);
    if (shown)
        QTRY_VERIFY(tray.mainWindow() && tray.mainWindow()->isVisible());
    else
        QVERIFY(!tray.mainWindow());
    if (file == "other")
        QVERIFY2(reply.error.contains(own) && reply.error.contains(request.stackFile)
                     && reply.error.contains("one Tessaly runs per user"),
                 qPrintable(reply.error));
    if (command != "show")
        QVERIFY(reply.error.contains("\"quit\""));
}

QTEST_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
