// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "BrowserCapture.h"
#include "BrowserFakes.h"
#include "store/RecordedHistory.h"
#include "KeySequences.h"

#include <QtTest>

namespace {

// Windows written "id|title|class", top-most first; "hidden" at the end of
// a window's text: not visible.
QList<DesktopWindows::Window> windowsOf(const QStringList &texts)
{
    QList<DesktopWindows::Window> windows;
    for (const QString &text : texts) {
        const QStringList parts = text.split(u'|');
        DesktopWindows::Window window;
        window.id = parts[0].toULongLong();
        window.title = parts[1];
        window.className = parts.value(2);
        window.visible = parts.value(3) != QLatin1String("hidden");
        windows << window;
    }
    return windows;
}

const QString stateKeys = QStringLiteral("save, keys 12+44, clear, keys 11+43, wait 1000, keys 1b");
// The user's clipboard put back whole: every format it held, or nothing.
const QString restoreUser = QStringLiteral("restore text/plain=user text text/html=<b>user text</b>");
const QString restoreNothing = QStringLiteral("restore nothing");

}  // namespace

// The capture's ways and their order over fake desktop services: what is
// asked of which service, what reaches the editor, dialogState and
// changeCount.
class TestBrowserCapture : public QObject
{
    Q_OBJECT

private slots:
    void keySequences_data();
    void keySequences();
    void capture_data();
    void capture();
};

void TestBrowserCapture::keySequences_data()
{
    QTest::addColumn<QList<SyntheticKeys::KeyEvent>>("events");
    QTest::addColumn<QString>("written");  // key code and d(own) or u(p)

    QTest::newRow("Alt+D") << KeySequences::sendAltD() << "12d 44d 44u 12u";
    QTest::newRow("Enter") << KeySequences::sendEnter() << "0dd 0du";
    QTest::newRow("Ctrl+V") << KeySequences::sendCtrlV() << "11d 56d 56u 11u";
    QTest::newRow("Ctrl+C") << KeySequences::sendCtrlC() << "11d 43d 43u 11u";
    QTest::newRow("Escape") << KeySequences::sendEscape() << "1bd 1bu";
}

void TestBrowserCapture::keySequences()
{
    QFETCH(QList<SyntheticKeys::KeyEvent>, events);
    QFETCH(QString, written);

    QStringList texts;
    for (const SyntheticKeys::KeyEvent &event : events)
        texts << QString::number(event.virtualKey, 16).rightJustified(2, u'0')
                + (event.release ? u'u' : u'd');
    QCOMPARE(texts.join(u' '), written);
}

void TestBrowserCapture::capture_data()
{
    QTest::addColumn<bool>("uSK");
    QTest::addColumn<int>("pB");
    QTest::addColumn<int>("dialogState");  // before
    QTest::addColumn<QStringList>("windows");
    QTest::addColumn<QStringList>("answers");  // "service=reply" for WWW_GetWindowInfo
    QTest::addColumn<QString>("copied");       // what Ctrl+C puts on the clipboard ("" nothing)
    QTest::addColumn<QString>("log");
    QTest::addColumn<int>("changeCount");

    const QStringList firefox {"1|Untitled - gedit|gedit",
                               "5|News - World \u2014 Mozilla Firefox|firefox-esr"};
    const QString session = "Netscape=\"http://s.example/\",\"News - World\"";
    const QString askNetscape = "dde Netscape|WWW_GetWindowInfo -1";

    QTest::newRow("a dialog open: nothing")
        << true << 1 << 1 << firefox << QStringList {session} << "http://n.example/"
        << "" << 0;
    QTest::newRow("keys: the address copied, the empty clipboard kept empty")
        << true << 0 << 0 << firefox << QStringList {} << "http://n.example/"
        << "activate 5, " + askNetscape + ", " + stateKeys + ", " + restoreNothing
            + ", editor 3 [News - World|http://n.example/]"
        << 0;
    QTest::newRow("keys: a stale clipboard is not taken, the user's text comes back")
        << true << 0 << 0 << firefox << QStringList {} << ""
        << "activate 5, " + askNetscape + ", " + stateKeys + ", " + restoreUser + ", editor 3 [News - World|]"
        << 0;
    QTest::newRow("keys: Firefox's session names the window's page: no keys, the clipboard untouched")
        << true << 0 << 0 << firefox << QStringList {session} << "http://n.example/"
        << "activate 5, " + askNetscape + ", editor 3 [News - World|http://s.example/]" << 0;
    QTest::newRow("keys: a session showing another page: keys, the user's clipboard back")
        << true << 1 << 0 << firefox << QStringList {"Netscape=\"http://s.example/\",\"Old\""}
        << "http://n.example/"
        << "activate 5, " + askNetscape + ", " + stateKeys + ", " + restoreUser
            + ", editor 3 [News - World|http://n.example/]"
        << 0;
    QTest::newRow("keys: a new tab without a page title: keys, not the page the session saw last")
        << true << 0 << 0 << QStringList {"5|Mozilla Firefox|firefox-esr"} << QStringList {session}
        << "http://n.example/"
        << "activate 5, " + askNetscape + ", " + stateKeys + ", " + restoreUser + ", editor 3 [|http://n.example/]"
        << 0;
    QTest::newRow("keys: a title of any length")
        << true << 0 << 0 << QStringList {"6|" + QString(300, u'x') + " - Chromium|chromium"}
        << QStringList {} << "http://n.example/"
        << "activate 6, " + stateKeys + ", " + restoreNothing + ", editor 3 [" + QString(300, u'x')
            + "|http://n.example/]"
        << 0;
    QTest::newRow("keys: a window that will not become active gets no keys")
        << true << 0 << 0 << QStringList {"5|News \u2014 Mozilla Firefox|firefox-esr|refuses"} << QStringList {}
        << "http://n.example/"
        << "activate 5" << 0;
    QTest::newRow("pB 0: a window that will not become active: no keys, no address")
        << false << 0 << 0 << QStringList {"3|Mail - Chromium|chromium|refuses"} << QStringList {}
        << "http://c.example/"
        << "activate 3, editor 3 [Mail|]" << 1;
    QTest::newRow("pB 0: a browser's own dialog is not its window")
        << false << 0 << 0 << QStringList {"4|Picture-in-Picture|firefox-esr", "3|Mail - Chromium|chromium"}
        << QStringList {} << "http://c.example/"
        << "activate 3, " + stateKeys + ", " + restoreNothing + ", editor 3 [Mail|http://c.example/]" << 1;
    QTest::newRow("keys: no browser window") << true << 1 << 0 << QStringList {"1|Untitled - gedit|gedit"}
                                             << QStringList {session} << "http://n.example/"
                                             << "" << 0;
    QTest::newRow("pB 0: Firefox's address from its session")
        << false << 0 << 0 << firefox << QStringList {session} << ""
        << askNetscape + ", editor 3 [News - World|http://s.example/]" << 1;
    QTest::newRow("pB 0: a session showing another page: keys")
        << false << 0 << 0 << firefox << QStringList {"Netscape=\"http://s.example/\",\"Old\""}
        << "http://n.example/"
        << askNetscape + ", activate 5, " + stateKeys + ", " + restoreUser
            + ", editor 3 [News - World|http://n.example/]"
        << 1;
    QTest::newRow("pB 0: Chromium by keys")
        << false << 0 << 0 << QStringList {"1|Untitled - gedit|gedit", "3|Mail - Chromium|chromium"}
        << QStringList {session} << "http://c.example/"
        << "activate 3, " + stateKeys + ", " + restoreUser + ", editor 3 [Mail|http://c.example/]" << 1;
    QTest::newRow("pB 0: a hidden browser window is not found")
        << false << 0 << 0 << QStringList {"3|Mail - Chromium|chromium|hidden"} << QStringList {session}
        << "http://c.example/"
        << "" << 0;
    QTest::newRow("pB 1: Netscape, then Opera, then IEXPLORE, then nothing")
        << false << 1 << 0 << firefox << QStringList {} << ""
        << askNetscape + ", dde Opera|WWW_GetWindowInfo -1, dde IEXPLORE|WWW_GetWindowInfo -1" << 0;
    QTest::newRow("pB 2: Opera, IEXPLORE, then Netscape answers")
        << false << 2 << 0 << firefox << QStringList {session} << ""
        << "dde Opera|WWW_GetWindowInfo -1, dde IEXPLORE|WWW_GetWindowInfo -1, " + askNetscape
            + ", editor 3 [News - World|http://s.example/]"
        << 0;
    QTest::newRow("pB 1: a reply without quotes counts as a failure")
        << false << 1 << 0 << firefox
        << QStringList {"Netscape=http://s.example/,News", "Opera=\"http://o.example/\",\"A, B\""} << ""
        << askNetscape + ", dde Opera|WWW_GetWindowInfo -1, editor 3 [A, B|http://o.example/]" << 0;
}

void TestBrowserCapture::capture()
{
    QFETCH(bool, uSK);
    QFETCH(int, pB);
    QFETCH(int, dialogState);
    QFETCH(QStringList, windows);
    QFETCH(QStringList, answers);
    QFETCH(QString, copied);
    QFETCH(QString, log);
    QFETCH(int, changeCount);

    AppState state;
    state.platformId = 2;
    state.settings.uSK = uSK;
    state.settings.pB = pB;
    state.dialogState = dialogState;
    BrowserFakes::Desktop desktop;
    desktop.windows.windows = windowsOf(windows);
    for (const QString &window : windows)
        if (window.endsWith(QLatin1String("|refuses")))
            desktop.windows.refusing << window.section(u'|', 0, 0).toULongLong();
    for (const QString &answer : answers) {
        const QString conversation = answer.section(u'=', 0, 0) + QStringLiteral("|WWW_GetWindowInfo");
        desktop.dde.statuses[conversation] = DdeClient::Status::Ok;
        desktop.dde.replies[conversation] = answer.section(u'=', 1);
    }
    desktop.clipboard.current = log.contains(restoreUser) ? QStringLiteral("user text") : QString();
    desktop.clipboard.copied = copied;
    BrowserFakes::Editor editor(desktop.log, &state.dialogState);
    editor.store = &state.store;
    state.store.NewCatagory(QStringLiteral("G"));
    RecordedHistory history;
    state.history = &history;
    BrowserCapture capture(
        state, {desktop.windows, desktop.keys, desktop.clipboard, desktop.dde, desktop.starter}, editor);

    const bool shown = log.contains(QLatin1String("editor"));
    QCOMPARE(capture.getBrowserURL(), shown);
    QCOMPARE(desktop.log.lines.join(QLatin1String(", ")), log);
    QCOMPARE(state.dialogState, dialogState);
    QCOMPARE(state.store.changeCount(), changeCount);
    // The entry taken in is one step of the window's history, undone with its count.
    QCOMPARE(history.names, shown ? QStringList {QStringLiteral("From Browser")} : QStringList());
    if (shown) {
        history.changes.front().undo(state.store);
        QCOMPARE(state.store.urlDatas().Count(), 0);
        QCOMPARE(state.store.changeCount(), 0);
    }
    QVERIFY(desktop.starter.started.isEmpty());
}

QTEST_GUILESS_MAIN(TestBrowserCapture)
#include "TestBrowserCapture.moc"
