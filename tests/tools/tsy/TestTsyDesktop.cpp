// tsy capture and open on a real X server (run-with-xvfb) with the browser
// double: the window found by its title, keys into its address bar, the
// clipboard, XTest and the window manager's activation all real.

#include "BrowserHome.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QProcess>
#include <QtTest>

namespace {

const QString doubleUrl = QStringLiteral("http://double.example/page?a=1");

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

    QTest::newRow("capture --json: the double's title and address by keys")
        << "uSK=True"
        << "capture --json"
        << "{\"title\":\"Double, \\\"quoted\\\" - page\",\"url\":\"" + doubleUrl + "\"}\n"
        << "" << QStringList {};
    QTest::newRow("capture from the window (pB 0): the address by keys, no session to read")
        << "pB=0"
        << "capture"
        << "Double, \"quoted\" - page\n" + doubleUrl + "\n"
        << "" << QStringList {};
    QTest::newRow("open with keys: pasted into the double's address bar")
        << "pB=0 uSK=True"
        << "open in.tsy 1"
        << ""
        << "http://opened.example/" << QStringList {};
    QTest::newRow("open (pB 0) with no Firefox behind the window: the program")
        << "pB=0"
        << "open in.tsy 1"
        << ""
        << "" << QStringList {"http://opened.example/"};
}

void TestTsyDesktop::byKeys()
{
    QFETCH(QString, settings);
    QFETCH(QString, arguments);
    QFETCH(QString, out);
    QFETCH(QString, navigated);
    QFETCH(QStringList, started);

    BrowserHome home(true);
    home.setAppPaths(home.recorder());
    QFile::remove(m_folder.filePath("navigated"));
    TestEnvironment::writeFile(home.path("in.tsy"),
                               "+News\r\nhttp://opened.example/\x05Opened\x05"
                               "0\x05"
                               "B12800000\x05"
                               "0\x05"
                               "0\x05"
                               "0\r\n");
    const auto run = [&](const QString &words) {
        QProcess process;
        process.setProcessEnvironment(home.environment());
        process.setWorkingDirectory(home.path("."));
        process.start(QStringLiteral(TSY_PATH), words.split(u' '));
        process.waitForFinished(60000);
        return std::pair(process.exitCode(),
                         QByteArray(process.readAllStandardOutput() + process.readAllStandardError()));
    };
    QCOMPARE(run("settings --set " + settings.replace(u' ', QLatin1String(" --set "))).first, 0);

    const auto [exitCode, output] = run(arguments);
    QCOMPARE(QString::fromUtf8(output), out);
    QCOMPARE(exitCode, 0);
    QCOMPARE(home.recordedArguments(!started.isEmpty()), started);
    if (!navigated.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(TestEnvironment::readFile(m_folder.filePath("navigated")),
                                  navigated.toUtf8() + '\n', 10000);
    if (arguments.startsWith("open")) {
        URLBlock store;
        QVERIFY(StackFile::loadStackFile(store, home.path("in.tsy"), false, 45364.5));
        QCOMPARE(store.urlDatas().Item(store.urlDatas().positionOfKey(1))->Visited, 1);
    }
}

QTEST_GUILESS_MAIN(TestTsyDesktop)
#include "TestTsyDesktop.moc"
