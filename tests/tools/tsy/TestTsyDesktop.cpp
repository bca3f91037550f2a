// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tsy capture and open on a real X server (run-with-xvfb) with the browser
// double: the window found by its title, keys into its address bar, the
// clipboard, XTest and the window manager's activation all real; on a file,
// or on the store of the program (run in this process) that holds it.

#include "AppState.h"
#include "BrowserHome.h"
#include "ClipboardContents.h"
#include "InstanceRequests.h"
#include "MainWindow.h"
#include "ScriptedPrompter.h"
#include "SingleInstance.h"
#include "StackFile.h"
#include "TrayWindow.h"
#include "URLBlock.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QtTest>

namespace {

const QString doubleUrl = QStringLiteral("http://double.example/page?a=1");

// What this test puts on the clipboard before a row: text, rich text and
// bytes of a format of its own; or nothing.
ClipboardContents userContents()
{
    return ClipboardContents({{"text/plain", "user's text \xc3\xbc"},
                              {"text/html", "<b>user's</b> text"},
                              {"application/x-tessaly-test", QByteArray("\0\x01\xff bytes", 9)}});
}

// What clipboardNow() reads while the clipboard holds userContents().
const QStringList userSeen = {"text/plain", "text/html", "application/x-tessaly-test",
                              QString::fromUtf8("text: user's text \xc3\xbc")};

// The clipboard as another program reads it: the formats of userContents()
// that it holds, and its text.
QStringList clipboardNow()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QStringList formats;
    const ClipboardContents user = userContents();
    for (const auto &[format, bytes] : user.formats()) {
        if (data && data->data(format) == bytes)
            formats << format;
    }
    return formats << "text: " + QGuiApplication::clipboard()->text();
}

// The clipboard keepers that tsy left on this test's display.
QList<qint64> keepers()
{
    QList<qint64> found;
    const QByteArray display = "DISPLAY=" + qgetenv("DISPLAY");
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        const QList<QByteArray> command = TestEnvironment::readFile("/proc/" + pid + "/cmdline").split('\0');
        if (command.value(0).endsWith("/tsy-desktop") && command.value(1) == "--keep-clipboard"
            && TestEnvironment::readFile("/proc/" + pid + "/environ").split('\0').contains(display))
            found << pid.toLongLong();
    }
    return found;
}

// The program holding home's data/Tessaly/Pemberly.tsy loaded, answering on
// its socket in home's runtime folder while this test's events run.
class RunningProgram
{
public:
    explicit RunningProgram(const BrowserHome &home)
        : m_folders(home)
    {
        if (m_instance.AnotherInstance())
            return;
        m_tray.start({});
        m_holds = m_requests.listen(m_instance.socketPath()) && m_tray.loadMainWindow(false)
            && m_tray.mainWindow()->defaultStack().holdsLock();
    }

    bool holdsFile() const { return m_holds; }
    const URLBlock &store() const { return m_state.store; }

private:
    // The program's folders are home's while it lives, from before any of
    // its parts looks for them.
    class Folders
    {
    public:
        explicit Folders(const BrowserHome &home)
        {
            QDir().mkpath(home.path("runtime"));
            QFile::setPermissions(home.path("runtime"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path("runtime")));
            qputenv("XDG_DATA_HOME", QFile::encodeName(home.path("data")));
        }
        ~Folders()
        {
            qputenv("XDG_RUNTIME_DIR", m_runtime);
            qputenv("XDG_DATA_HOME", m_data);
        }

    private:
        QByteArray m_runtime = qgetenv("XDG_RUNTIME_DIR");
        QByteArray m_data = qgetenv("XDG_DATA_HOME");
    };

    Folders m_folders;
    SingleInstance m_instance;
    AppState m_state;
    ScriptedPrompter m_prompter;
    TrayWindow m_tray {m_state, m_prompter};
    InstanceRequests m_requests {m_tray, m_state};
    bool m_holds = false;
};

}  // namespace

class TestTsyDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void byKeys_data();
    void byKeys();

private:
    QTemporaryDir m_folder;
    QProcess m_double;
};

void TestTsyDesktop::initTestCase()
{
    if (qEnvironmentVariableIsSet("TESSALY_NO_WINDOW_MANAGER") || qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("needs an X server with a window manager: run through x11/run-with-xvfb");
    m_double.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_double.start(BROWSER_DOUBLE_PATH,
                   {"--title", "Double, \"quoted\" - page", "--url", doubleUrl, "--record",
                    m_folder.filePath("navigated")});
    QVERIFY(m_double.waitForReadyRead(20000));
}

void TestTsyDesktop::cleanupTestCase()
{
    m_double.kill();
    m_double.waitForFinished();
}

void TestTsyDesktop::byKeys_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("navigated");    // what the double was given, "" nothing
    QTest::addColumn<QStringList>("started");  // the stand-in browser's arguments
    QTest::addColumn<bool>("userClipboard");   // the clipboard holds userContents(), else nothing
    QTest::addColumn<bool>("keys");            // keys copy or paste over the clipboard
    QTest::addColumn<bool>("firefox");         // a Firefox runs whose session shows the double's page
    QTest::addColumn<bool>("live");            // the program holds FILE, which the arguments name

    QTest::newRow("capture --json: the double's title and address by keys")
        << "uSK=True"
        << "capture --json"
        << "{\"title\":\"Double, \\\"quoted\\\" - page\",\"url\":\"" + doubleUrl + "\"}\n"
        << "" << QStringList {} << true << true << false << false;
    QTest::newRow("capture by keys: an empty clipboard stays empty")
        << "uSK=True"
        << "capture"
        << "Double, \"quoted\" - page\n" + doubleUrl + "\n"
        << "" << QStringList {} << false << true << false << false;
    QTest::newRow("capture from the window (pB 0): the address by keys, no session to read")
        << "pB=0"
        << "capture"
        << "Double, \"quoted\" - page\n" + doubleUrl + "\n"
        << "" << QStringList {} << true << true << false << false;
    QTest::newRow("capture by keys from a Firefox window whose session shows its page: no keys")
        << "uSK=True"
        << "capture"
        << "Double, \"quoted\" - page\nhttp://s.example/\n"
        << "" << QStringList {} << true << false << true << false;
    // Before the double is given another address.
    QTest::newRow("capture by keys into the store of the program that holds the file")
        << "uSK=True"
        << "capture FILE --group News"
        << "00002\n"
        << "" << QStringList {} << true << true << false << true;
    QTest::newRow("open with keys: pasted into the double's address bar")
        << "pB=0 uSK=True"
        << "open in.tsy 1"
        << ""
        << "http://opened.example/" << QStringList {} << true << true << false << false;
    QTest::newRow("open (pB 0) with no Firefox behind the window: the program")
        << "pB=0"
        << "open in.tsy 1"
        << ""
        << "" << QStringList {"http://opened.example/"} << true << false << false << false;
    QTest::newRow("open with keys in the store of the program that holds the file")
        << "pB=0 uSK=True"
        << "open FILE 1"
        << ""
        << "http://opened.example/" << QStringList {} << true << true << false << true;
}

void TestTsyDesktop::byKeys()
{
    QFETCH(QString, settings);
    QFETCH(QString, arguments);
    QFETCH(QString, out);
    QFETCH(QString, navigated);
    QFETCH(QStringList, started);
    QFETCH(bool, userClipboard);
    QFETCH(bool, keys);
    QFETCH(bool, firefox);
    QFETCH(bool, live);

    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(userContents().toMimeData());
    if (!userClipboard)
        clipboard->clear();
    const QStringList before = clipboardNow();

    BrowserHome home(true);
    home.setAppPaths(home.recorder());
    if (firefox)
        home.runFirefox("http://s.example/", "Double, \\\"quoted\\\" - page");
    QFile::remove(m_folder.filePath("navigated"));
    QDir().mkpath(home.path("data/Tessaly"));
    const QString file = home.path(live ? "data/Tessaly/Pemberly.tsy" : "in.tsy");
    TestEnvironment::writeFile(file,
                               "+News\r\nhttp://opened.example/\x05Opened\x05"
                               "0\x05"
                               "B12800000\x05"
                               "0\x05"
                               "0\x05"
                               "0\r\n");
    const QByteArray held = TestEnvironment::readFile(file);
    std::unique_ptr<RunningProgram> program;
    QProcessEnvironment environment = home.environment();
    if (live) {
        program = std::make_unique<RunningProgram>(home);
        QVERIFY(program->holdsFile());
        environment.insert("XDG_RUNTIME_DIR", home.path("runtime"));
    }
    // Through a shell's command substitution, which ends only when nothing
    // holds tsy's output open (its standard output, and the same pipe as
    // descriptor 3): a clipboard keeper must not.
    const auto run = [&](const QString &words) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path("."));
        const QString script = "out=$(\"$0\" \"$@\" 2>&1 3>&1; status=$?; echo .; exit $status); status=$?; "
                               "printf '%s' \"${out%.}\"; exit $status";
        process.start("sh", QStringList {"-c", script, QStringLiteral(TSY_PATH)} + words.split(u' '));
        // With this test's events handled meanwhile: its clipboard is read by tsy.
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
            process.kill();
        return std::pair(process.exitCode(),
                         QByteArray(process.readAllStandardOutput() + process.readAllStandardError()));
    };
    QCOMPARE(run("settings --set " + settings.replace(u' ', QLatin1String(" --set "))).first, 0);

    const auto [exitCode, output] = run(arguments.replace("FILE", file));
    QCOMPARE(QString::fromUtf8(output), out);
    QCOMPARE(exitCode, 0);
    QCOMPARE(home.recordedArguments(!started.isEmpty()), started);
    if (!navigated.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(TestEnvironment::readFile(m_folder.filePath("navigated")),
                                  navigated.toUtf8() + '\n', 10000);
    // The clipboard as it was before: untouched where no keys were needed,
    // else served by a keeper until another program takes it. This process
    // learns that it lost the clipboard from an X event that may still be
    // on its way (under load it comes after tsy has ended), and until then
    // it reads its own contents instead of the keeper's: it is waited for.
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->ownsClipboard(), userClipboard && !keys, 5000);
    QCOMPARE(clipboardNow(), before);
    QCOMPARE(clipboardNow(), userClipboard ? userSeen : QStringList {"text: "});
    clipboard->setText("taken");
    QTRY_VERIFY_WITH_TIMEOUT(keepers().isEmpty(), 10000);
    if (live) {
        // The program's store took the change; the file waits for its save.
        QCOMPARE(TestEnvironment::readFile(file), held);
        const URLDatas &entries = program->store().urlDatas();
        QCOMPARE(entries.Count(), arguments.startsWith("capture") ? 2 : 1);
        QCOMPARE(entries.Item(entries.positionOfKey(1))->Visited, arguments.startsWith("open") ? 1 : 0);
        if (arguments.startsWith("capture"))
            QVERIFY(std::any_of(entries.begin(), entries.end(), [](const URLData &e) { return e.url == doubleUrl; }));
    } else if (arguments.startsWith("open")) {
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, home.path("in.tsy"), false, 45364.5));
        QCOMPARE(store.urlDatas().Item(store.urlDatas().positionOfKey(1))->Visited, 1);
    }
}

QTEST_MAIN(TestTsyDesktop)
#include "TestTsyDesktop.moc"
