// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppPaths.h"
#include "AppSettings.h"
#include "BrowserFakes.h"
#include "BrowserLaunch.h"
#include "Registry.h"
#include "TestEnvironment.h"

#include <QtTest>

namespace {

void setAppPath(const QString &exeName, const QString &path)
{
    Registry::changeHive(Registry::HKEY_LOCAL_MACHINE, [&](RegistryHive &hive) {
        const QString key = AppPaths::keyPrefix() + exeName;
        hive.createKey(key);
        RegistryHive::Value value;
        value.type = RegistryHive::RegSz;
        value.text = path;
        hive.setValue(key, value);
        return true;
    });
}

const QStringList firefox {"5|News \u2014 Mozilla Firefox|firefox-esr"};

}  // namespace

// openURL's ways and retry order over fake desktop services: the DDE items
// asked for, the keys sent, the programs started, the hide step.
class TestBrowserLaunch : public QObject
{
    Q_OBJECT

private slots:
    void openURL_data();
    void openURL();
};

void TestBrowserLaunch::openURL_data()
{
    QTest::addColumn<int>("pB");
    QTest::addColumn<bool>("uSK");
    QTest::addColumn<bool>("aI");
    QTest::addColumn<int>("newWindow");
    QTest::addColumn<QStringList>("windows");  // "id|title|class", top-most first
    QTest::addColumn<QStringList>("answers");  // "service=Ok|Timeout|Failed" for WWW_OpenURL
    QTest::addColumn<QString>("appPath");      // of every browser; "" none
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("opened");

    const QString url = "http://a.example/";
    const QString quoted = "\"http://a.example/\"";
    const QString netscape = "dde Netscape|WWW_OpenURL " + quoted + ",,-1,7";

    QTest::newRow("a refused address opens nothing")
        << 1 << false << true << 0 << firefox << QStringList {"Netscape=Ok"} << "/bin/b"
        << "javascript:alert(1)"
        << "focus" << false;
    QTest::newRow("pB 1: the Netscape item; hidden while the button shows")
        << 1 << false << true << 0 << firefox << QStringList {"Netscape=Ok"} << "/bin/b" << url
        << "focus, " + netscape + ", hide main" << true;
    QTest::newRow("pB 1 without the floating button: not hidden")
        << 1 << false << false << 0 << firefox << QStringList {"Netscape=Ok"} << "/bin/b" << url
        << "focus, " + netscape << true;
    QTest::newRow("an address without a scheme goes as http")
        << 1 << false << false << 0 << firefox << QStringList {"Netscape=Ok"} << "/bin/b"
        << "a.example/x"
        << "focus, dde Netscape|WWW_OpenURL \"http://a.example/x\",,-1,7" << true;
    QTest::newRow("Netscape's time-out is taken as accepted, nothing more")
        << 1 << false << true << 0 << firefox << QStringList {"Netscape=Timeout"} << "/bin/b" << url
        << "focus, " + netscape << true;
    QTest::newRow("Opera's time-out is a failure")
        << 2 << false << true << 1 << firefox << QStringList {"Opera=Timeout", "IEXPLORE=Ok"} << "/bin/b"
        << url
        << "focus, dde Opera|WWW_OpenURL " + quoted + ",,0, dde IEXPLORE|WWW_OpenURL " + quoted
            + ",,0, hide main"
        << true;
    QTest::newRow("pB 2, no browser answers: IEXPLORE, Netscape, then Opera's program")
        << 2 << false << true << 1 << firefox << QStringList {} << "/bin/b" << url
        << "focus, dde Opera|WWW_OpenURL " + quoted + ",,0, dde IEXPLORE|WWW_OpenURL " + quoted
            + ",,0, dde Netscape|WWW_OpenURL " + quoted + ",,0,7, start /bin/b/Opera.EXE " + url
        << true;
    QTest::newRow("no program in App Paths: nothing opens")
        << 1 << false << true << 0 << firefox << QStringList {"Netscape=Failed"} << "" << url
        << "focus, " + netscape + ", dde Opera|WWW_OpenURL " + quoted + ",,-1, dde IEXPLORE|WWW_OpenURL "
            + quoted + ",,-1"
        << false;
    QTest::newRow("pB 0, new window: the program, though a browser window is there")
        << 0 << false << true << 1 << firefox << QStringList {"Netscape=Ok"} << "/bin/b" << url
        << "focus, start /bin/b/IEXPLORE.EXE " + url << true;
    QTest::newRow("pB 0 with keys: pasted into the window's address bar, then hidden")
        << 0 << true << true << 0 << QStringList {"2|Notes - gedit|gedit"} + firefox << QStringList {}
        << "/bin/b" << url
        << "focus, activate 5, keys 12+44, clear, set " + url + ", keys 11+56, keys d, hide main" << true;
    QTest::newRow("pB 0 with keys, a window that will not become active: no keys, the program")
        << 0 << true << true << 0 << QStringList {"5|News \u2014 Mozilla Firefox|firefox-esr|refuses"}
        << QStringList {} << "/bin/b" << url << "focus, activate 5, start /bin/b/IEXPLORE.EXE " + url << true;
    QTest::newRow("pB 0 with keys and no browser window: the program")
        << 0 << true << true << 0 << QStringList {"2|Notes - gedit|gedit"} << QStringList {} << "/bin/b"
        << url << "focus, start /bin/b/IEXPLORE.EXE " + url << true;
    QTest::newRow("pB 0: the Firefox window navigates through its instance, never hidden")
        << 0 << false << true << 0 << firefox << QStringList {"Netscape=Ok"} << "/bin/b" << url
        << "focus, activate 5, " + netscape << true;
    QTest::newRow("pB 0: no browser window: the program")
        << 0 << false << true << 0 << QStringList {} << QStringList {"Netscape=Ok"} << "/bin/b" << url
        << "focus, start /bin/b/IEXPLORE.EXE " + url << true;
}

void TestBrowserLaunch::openURL()
{
    QFETCH(int, pB);
    QFETCH(bool, uSK);
    QFETCH(bool, aI);
    QFETCH(int, newWindow);
    QFETCH(QStringList, windows);
    QFETCH(QStringList, answers);
    QFETCH(QString, appPath);
    QFETCH(QString, address);
    QFETCH(QString, log);
    QFETCH(bool, opened);

    const TestEnvironment::ConfigFolder config;
    for (const int browser : {0, 1, 2})
        if (!appPath.isEmpty())
            setAppPath(BrowserLaunch::appFileName(browser),
                       appPath + u'/' + BrowserLaunch::appFileName(browser));
    AppSettings settings;
    settings.pB = pB;
    settings.uSK = uSK;
    settings.aI = aI;
    BrowserFakes::Desktop desktop;
    for (const QString &window : windows) {
        DesktopWindows::Window w;
        w.id = window.section(u'|', 0, 0).toULongLong();
        w.title = window.section(u'|', 1, 1);
        w.className = window.section(u'|', 2, 2);
        desktop.windows.windows << w;
        if (window.section(u'|', 3, 3) == QLatin1String("refuses"))
            desktop.windows.refusing << w.id;
    }
    static const QHash<QString, DdeClient::Status> statuses {{"Ok", DdeClient::Status::Ok},
                                                             {"Timeout", DdeClient::Status::Timeout},
                                                             {"Failed", DdeClient::Status::Failed}};
    for (const QString &answer : answers)
        desktop.dde.statuses[answer.section(u'=', 0, 0) + QStringLiteral("|WWW_OpenURL")]
            = statuses.value(answer.section(u'=', 1));
    BrowserFakes::Launcher host(desktop.log);
    BrowserLaunch launch(
        settings, 2, {desktop.windows, desktop.keys, desktop.clipboard, desktop.dde, desktop.starter}, &host);

    QString error;
    QCOMPARE(launch.openURL(address, newWindow, &error), opened);
    QCOMPARE(desktop.log.lines.join(QLatin1String(", ")), log);
    QCOMPARE(error.isEmpty(), opened);
}

QTEST_GUILESS_MAIN(TestBrowserLaunch)
#include "TestBrowserLaunch.moc"
