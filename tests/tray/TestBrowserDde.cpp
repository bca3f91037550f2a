// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserDdeClient.h"
#include "BrowserFakes.h"
#include "BrowserTitles.h"
#include "DdeItems.h"

#include <QtTest>

using Status = DdeClient::Status;
Q_DECLARE_METATYPE(Status)

// The texts of the browser conversations, the window titles, and the DDE
// adapter's answers with a recording program starter.
class TestBrowserDde : public QObject
{
    Q_OBJECT

private slots:
    void openUrlItems_data();
    void openUrlItems();
    void windowInfoReplies_data();
    void windowInfoReplies();
    void windowTitles_data();
    void windowTitles();
    void adapterStartsBrowsers_data();
    void adapterStartsBrowsers();
    void adapterGivesTheOpenerTheAddressOnly();
    void adapterWindowInfo_data();
    void adapterWindowInfo();
};

void TestBrowserDde::openUrlItems_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("newWindow");
    QTest::addColumn<int>("browser");
    QTest::addColumn<QString>("item");

    QTest::newRow("Netscape, current window")
        << "http://a.example/" << 0 << 1 << "\"http://a.example/\",,-1,7";
    QTest::newRow("Netscape, new window") << "http://a.example/" << -1 << 1 << "\"http://a.example/\",,0,7";
    QTest::newRow("Opera, new window") << "http://a.example/" << 1 << 2 << "\"http://a.example/\",,0";
    QTest::newRow("IEXPLORE, current window") << "ftp://f.example/x" << 0 << 0 << "\"ftp://f.example/x\",,-1";
}

void TestBrowserDde::openUrlItems()
{
    QFETCH(QString, url);
    QFETCH(int, newWindow);
    QFETCH(int, browser);
    QFETCH(QString, item);

    QCOMPARE(DdeItems::openUrlItem(url, newWindow, browser), item);
    const auto read = DdeItems::readOpenUrlItem(item);
    QVERIFY(read);
    QCOMPARE(read->url, url);
    QCOMPARE(read->newWindow, newWindow != 0);
}

void TestBrowserDde::windowInfoReplies_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("title");

    QTest::newRow("plain") << "\"http://a.example/\",\"Alpha\"" << true << "http://a.example/"
                           << "Alpha";
    QTest::newRow("a title with commas is kept whole")
        << "\"http://a.example/\",\"One, two, three\"" << true << "http://a.example/"
        << "One, two, three";
    QTest::newRow("quotes inside the title are kept")
        << "\"http://a.example/?q=1,2\",\"Say \"hi\", \"\"" << true << "http://a.example/?q=1,2"
        << "Say \"hi\", \"";
    QTest::newRow("an empty title") << "\"http://a.example/\",\"\"" << true << "http://a.example/"
                                    << "";
    QTest::newRow("an address that begins with a comma") << "\",\",\"\"" << true << "," << "";
    QTest::newRow("an empty address") << "\"\",\"t\"" << true << "" << "t";
    QTest::newRow("two quotes") << "\"\"" << false << "" << "";
    QTest::newRow("no quotes") << "http://a.example/,Alpha" << false << ""
                               << "";
    QTest::newRow("no title field") << "\"http://a.example/\"" << false << ""
                                    << "";
    QTest::newRow("the title's closing quote missing") << "\"http://a.example/\",\"" << false << ""
                                                       << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
    QTest::newRow("an unquoted title") << "\"http://a.example/\",Alpha" << false << ""
                                       << "";
}

void TestBrowserDde::windowInfoReplies()
{
    QFETCH(QString, reply);
    QFETCH(bool, read);
    QFETCH(QString, url);
    QFETCH(QString, title);

    const auto info = DdeItems::readWindowInfo(reply);
    QCOMPARE(bool(info), read);
    if (!info)
        return;
    QCOMPARE(info->url, url);
    QCOMPARE(info->title, title);
    // What the browser double answers reads back the same.
    const auto again = DdeItems::readWindowInfo(DdeItems::windowInfoReply(url, title));
    QVERIFY(again);
    QCOMPARE(again->url, url);
    QCOMPARE(again->title, title);
}

void TestBrowserDde::windowTitles_data()
{
    using Family = BrowserTitles::Family;
    QTest::addColumn<QString>("windowTitle");
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("browser");
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("pageTitle");

    QTest::newRow("Firefox") << "Page A ünï & \"q\" \u2014 Mozilla Firefox"
                             << "firefox-esr" << true << int(Family::Firefox) << "Page A ünï & \"q\"";
    QTest::newRow("a page title with a dash keeps it")
        << "News - World - Chromium"
        << "" << true << int(Family::Chromium) << "News - World";
    QTest::newRow("Firefox's private window") << "Bank \u2014 Mozilla Firefox Private Browsing"
                                              << "" << true << int(Family::Firefox) << "Bank";
    QTest::newRow("Chrome") << "Mail - Google Chrome"
                            << "" << true << int(Family::Chrome) << "Mail";
    QTest::newRow("Opera by its class") << "Start - Opera"
                                        << "Opera" << true << int(Family::Opera) << "Start";
    QTest::newRow("Internet Explorer's title test") << "Home - Microsoft Internet Explorer"
                                                    << "" << true << int(Family::InternetExplorer) << "Home";
    QTest::newRow("a bare browser window") << "Mozilla Firefox"
                                           << "" << true << int(Family::Firefox) << "";
    QTest::newRow("the class decides the browser") << "Notes - Opera"
                                                   << "firefox" << true << int(Family::Firefox) << "Notes";
    QTest::newRow("an editor's title is no browser's")
        << "Opera notes - gedit"
        << "gedit" << false << int(Family::None) << "Opera notes - gedit";
    QTest::newRow("the name without its separator") << "ChromiumOS"
                                                    << "" << false << int(Family::None) << "ChromiumOS";
}

void TestBrowserDde::windowTitles()
{
    QFETCH(QString, windowTitle);
    QFETCH(QString, className);
    QFETCH(bool, browser);
    QFETCH(int, family);
    QFETCH(QString, pageTitle);

    QCOMPARE(BrowserTitles::isBrowserTitle(windowTitle), browser);
    QCOMPARE(int(BrowserTitles::familyOf(windowTitle, className, QString())), family);
    QCOMPARE(BrowserTitles::pageTitle(windowTitle), pageTitle);
}

namespace {

BrowserDdeClient::Probes probes(bool firefox, bool opera, const std::optional<SessionStore::Page> &page = {})
{
    BrowserDdeClient::Probes result;
    result.runningFirefoxProfile
        = [firefox] { return firefox ? QStringLiteral("/home/u/ff.default") : QString(); };
    result.operaRunning = [opera] { return opera; };
    result.currentPage = [page](const QString &) { return page; };
    result.appPath = [](const QString &exeName) {
        return exeName == QLatin1String("Opera.EXE") ? QString() : QStringLiteral("/bin/") + exeName;
    };
    return result;
}

}  // namespace

void TestBrowserDde::adapterStartsBrowsers_data()
{
    QTest::addColumn<bool>("firefox");
    QTest::addColumn<bool>("opera");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("item");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QStringList>("started");  // program and arguments

    const QString profile = "/home/u/ff.default";
    QTest::newRow("Netscape: the running Firefox, a new tab")
        << true << false << "Netscape"
        << "\"http://a.example/\",,-1,7" << Status::Ok
        << QStringList {"/bin/Netscape.exe", "--profile", profile, "--new-tab", "http://a.example/"};
    QTest::newRow("Netscape: a new window")
        << true << false << "Netscape"
        << "\"https://a.example/x y\",,0,7" << Status::Ok
        << QStringList {"/bin/Netscape.exe", "--profile", profile, "--new-window", "https://a.example/x%20y"};
    QTest::newRow("Netscape without a running Firefox")
        << false << true << "Netscape"
        << "\"http://a.example/\",,-1,7" << Status::NoConversation << QStringList {};
    QTest::newRow("Opera without its program in App Paths")
        << false << true << "Opera"
        << "\"http://a.example/\",,0" << Status::Failed << QStringList {};
    QTest::newRow("Opera not running")
        << false << false << "Opera"
        << "\"http://a.example/\",,0" << Status::NoConversation << QStringList {};
    QTest::newRow("IEXPLORE: the default browser") << false << false << "IEXPLORE"
                                                   << "\"file:///tmp/a.html\",,-1" << Status::Ok
                                                   << QStringList {"/bin/IEXPLORE.EXE", "file:///tmp/a.html"};
    QTest::newRow("an option as the address") << true << false << "Netscape"
                                              << "\"-foo\",,-1,7" << Status::Failed << QStringList {};
    QTest::newRow("javascript:") << true << false << "Netscape"
                                 << "\"javascript:alert(1)\",,-1,7" << Status::Failed << QStringList {};
    QTest::newRow("a relative file address") << false << false << "IEXPLORE"
                                             << "\"file:bin/sh\",,-1" << Status::Failed << QStringList {};
    QTest::newRow("a local path") << false << false << "IEXPLORE"
                                  << "\"/bin/sh\",,-1" << Status::Failed << QStringList {};
    QTest::newRow("an item without quotes") << true << false << "Netscape"
                                            << "http://a.example/,,-1,7" << Status::Failed << QStringList {};
    QTest::newRow("an item without its window field")
        << true << false << "Netscape"
        << "\"http://a.example/\"" << Status::Failed << QStringList {};
    QTest::newRow("an unknown service")
        << true << true << "Mosaic"
        << "\"http://a.example/\",,-1" << Status::NoConversation << QStringList {};
}

void TestBrowserDde::adapterStartsBrowsers()
{
    QFETCH(bool, firefox);
    QFETCH(bool, opera);
    QFETCH(QString, service);
    QFETCH(QString, item);
    QFETCH(Status, status);
    QFETCH(QStringList, started);

    BrowserFakes::Log log;
    BrowserFakes::Starter starter(log);
    BrowserDdeClient client(starter, probes(firefox, opera));
    QString reply;
    QCOMPARE(client.request(service, DdeItems::openUrlTopic, item, &reply), status);
    QCOMPARE(starter.started, started.isEmpty() ? QList<QStringList> {} : QList<QStringList> {started});
}

// Firefox runs but its App Paths entry still names the default-browser
// opener, which takes no options: it gets the address alone.
void TestBrowserDde::adapterGivesTheOpenerTheAddressOnly()
{
    BrowserFakes::Log log;
    BrowserFakes::Starter starter(log);
    BrowserDdeClient::Probes opener = probes(true, false);
    opener.appPath = [](const QString &) { return QStringLiteral("/usr/bin/xdg-open"); };
    BrowserDdeClient client(starter, opener);
    QCOMPARE(client.request("Netscape", DdeItems::openUrlTopic, "\"http://a.example/\",,0,7", nullptr), Status::Ok);
    QCOMPARE(starter.started, (QList<QStringList> {{"/usr/bin/xdg-open", "http://a.example/"}}));
}

void TestBrowserDde::adapterWindowInfo_data()
{
    QTest::addColumn<bool>("firefox");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("page");  // the session store holds a page
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("reply");

    QTest::newRow("Firefox's current page")
        << true << "Netscape"
        << "-1" << true << Status::Ok << "\"http://a.example/\",\"A, \"quoted\" page\"";
    QTest::newRow("no readable session") << true << "Netscape"
                                         << "-1" << false << Status::Failed << "";
    QTest::newRow("Firefox not running") << false << "Netscape"
                                         << "-1" << true << Status::NoConversation << "";
    QTest::newRow("Opera has no readable session") << true << "Opera"
                                                   << "-1" << true << Status::NoConversation << "";
    QTest::newRow("another window than the last active") << true << "Netscape"
                                                         << "3" << true << Status::Failed << "";
}

void TestBrowserDde::adapterWindowInfo()
{
    QFETCH(bool, firefox);
    QFETCH(QString, service);
    QFETCH(QString, item);
    QFETCH(bool, page);
    QFETCH(Status, status);
    QFETCH(QString, reply);

    BrowserFakes::Log log;
    BrowserFakes::Starter starter(log);
    const auto current
        = page ? std::optional(SessionStore::Page {"http://a.example/", "A, \"quoted\" page"}) : std::nullopt;
    BrowserDdeClient client(starter, probes(firefox, true, current));
    QString answer;
    QCOMPARE(client.request(service, DdeItems::windowInfoTopic, item, &answer), status);
    QCOMPARE(answer, reply);
    QVERIFY(starter.started.isEmpty());
}

QTEST_GUILESS_MAIN(TestBrowserDde)
#include "TestBrowserDde.moc"
