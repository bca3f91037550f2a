// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppState.h"
#include "BrowserFakes.h"
#include "ConnectionMonitor.h"

#include <QtTest>

// The connection monitor's state table, driven tick by tick over a fake
// connection. A tick's connection is written "ras:STATE" (one remote-access
// connection in that state, hex), "ras:none" (none listed), "up" / "down"
// (the internet connected state) or "-" (unchanged); with "dialog" a dialog
// is open during that tick.
class TestConnectionMonitor : public QObject
{
    Q_OBJECT

private slots:
    void ticks_data();
    void ticks();
    void remoteConnectionFollowsItsStatus_data();
    void remoteConnectionFollowsItsStatus();
};

namespace {

void setConnection(BrowserFakes::Connection &connection, const QString &tick)
{
    if (tick == QLatin1String("up") || tick == QLatin1String("down")) {
        connection.internet = tick == QLatin1String("up");
    } else if (tick == QLatin1String("ras:none")) {
        connection.remote.clear();
        connection.statuses.clear();
    } else if (tick.startsWith(QLatin1String("ras:"))) {
        connection.remote = {7};
        connection.statuses[7] = tick.mid(4).toUInt(nullptr, 16);
    }
}

}  // namespace

void TestConnectionMonitor::ticks_data()
{
    QTest::addColumn<int>("mT");
    QTest::addColumn<int>("oC");
    QTest::addColumn<bool>("buttonShown");  // aI
    QTest::addColumn<bool>("hAI");
    QTest::addColumn<bool>("iAOT");
    QTest::addColumn<bool>("loadedNormally");  // hideOnClose at the start
    QTest::addColumn<QStringList>("ticks");
    QTest::addColumn<QStringList>("logs");  // what each tick did
    QTest::addColumn<bool>("hideOnClose");  // at the end

    QTest::newRow("mT 2: always online, the first tick only")
        << 2 << 0 << true << false << true << true << QStringList {"down", "down", "up"}
        << QStringList {"topmost 1, button 0", "", ""} << true;
    QTest::newRow("mT 1: online loads the main window unshown when the button is shown")
        << 1 << 1 << true << true << true << false << QStringList {"up", "up"}
        << QStringList {"show button, load main, topmost 1, button 0", ""} << false;
    QTest::newRow("mT 1: iAOT off: online, the button is not put on top")
        << 1 << 1 << true << true << false << false << QStringList {"up", "down", "up"}
        << QStringList {"show button, load main, topmost 0, button 0", "topmost 0, hide button, button 0",
                        "show button, load main, topmost 0, button 0"}
        << false;
    QTest::newRow("mT 1: online shows the main window without the button")
        << 1 << 1 << false << true << true << false << QStringList {"up"} << QStringList {"show main, button 0"}
        << false;
    QTest::newRow("mT 1: oC 0 loads nothing")
        << 1 << 0 << false << false << true << false << QStringList {"up"} << QStringList {"button 0"} << false;
    QTest::newRow("starting offline: no flush, the button hidden with hAI")
        << 1 << 0 << true << true << true << true << QStringList {"down", "down"}
        << QStringList {"topmost 0, hide button, button 0", ""} << true;
    QTest::newRow("online then offline flushes a normally loaded main window")
        << 1 << 0 << true << false << true << true << QStringList {"up", "down", "down", "up"}
        << QStringList {"topmost 1, button 0", "topmost 0, flush, button 0", "", "topmost 1, button 0"}
        << false;
    QTest::newRow("offline after a flush flushes nothing")
        << 1 << 0 << true << false << true << false << QStringList {"up", "down"}
        << QStringList {"topmost 1, button 0", "topmost 0, button 0"} << false;
    QTest::newRow("an open dialog skips the tick")
        << 1 << 0 << true << false << true << true << QStringList {"up", "dialog down", "down"}
        << QStringList {"topmost 1, button 0", "", "topmost 0, flush, button 0"} << false;
    QTest::newRow("mT 0: a connection not yet connected is offline")
        << 0 << 0 << false << false << true << true << QStringList {"ras:none", "ras:1000", "ras:2000"}
        << QStringList {"topmost 0, button 0", "", "button 0"} << true;
    QTest::newRow("mT 0: disconnected goes offline")
        << 0 << 0 << false << false << true << true << QStringList {"ras:2000", "ras:2001"}
        << QStringList {"button 0", "topmost 0, flush, button 0"} << false;
}

void TestConnectionMonitor::ticks()
{
    QFETCH(int, mT);
    QFETCH(int, oC);
    QFETCH(bool, buttonShown);
    QFETCH(bool, hAI);
    QFETCH(bool, iAOT);
    QFETCH(bool, loadedNormally);
    QFETCH(QStringList, ticks);
    QFETCH(QStringList, logs);
    QFETCH(bool, hideOnClose);

    AppState state;
    state.settings.mT = mT;
    state.settings.oC = oC;
    state.settings.hAI = hAI;
    state.settings.iAOT = iAOT;
    state.hideOnClose = loadedNormally;
    BrowserFakes::Log log;
    BrowserFakes::Connection connection;
    BrowserFakes::Monitor host(log);
    host.buttonShown = buttonShown;
    ConnectionMonitor monitor(state, connection, host);
    for (int i = 0; i < ticks.size(); ++i) {
        QString tick = ticks[i];
        state.dialogState
            = tick.startsWith(QLatin1String("dialog ")) ? AppState::PromptOpen : AppState::NoDialog;
        setConnection(connection, tick.remove(QLatin1String("dialog ")));
        log.lines.clear();
        monitor.tick();
        QCOMPARE(log.lines.join(QLatin1String(", ")), logs[i]);
    }
    QCOMPARE(state.hideOnClose, hideOnClose);
    QCOMPARE(state.lastConnState, state.isOnline ? 2 : 1);
}

// Once counted, a remote-access connection stays online until its status is
// "disconnected" or cannot be had; the next one listed is then looked at.
void TestConnectionMonitor::remoteConnectionFollowsItsStatus_data()
{
    QTest::addColumn<QStringList>("ticks");  // "handle:status" per tick, "none" for no listing
    QTest::addColumn<QList<bool>>("connected");

    QTest::newRow("connected stays until its status says disconnected")
        << QStringList {"7:2000 9:2001", "7:1000", "7:2001", "7:2000"}
        << QList<bool> {true, true, false, true};
    QTest::newRow("a failed status call ends it; the next listing is looked at")
        << QStringList {"7:2000", "none", "9:2000"} << QList<bool> {true, false, true};
    QTest::newRow("a state other than connected is not counted when first seen")
        << QStringList {"7:1001", "7:2000", "7:1001"} << QList<bool> {false, true, true};
    QTest::newRow("the first listed connection is watched")
        << QStringList {"7:2001 9:2000", "9:2000 7:2001"} << QList<bool> {false, true};
}

void TestConnectionMonitor::remoteConnectionFollowsItsStatus()
{
    QFETCH(QStringList, ticks);
    QFETCH(QList<bool>, connected);

    AppState state;
    BrowserFakes::Log log;
    BrowserFakes::Connection connection;
    BrowserFakes::Monitor host(log);
    ConnectionMonitor monitor(state, connection, host);
    for (int i = 0; i < ticks.size(); ++i) {
        connection.remote.clear();
        connection.statuses.clear();
        for (const QString &part : ticks[i].split(u' ')) {
            if (part == QLatin1String("none"))
                continue;
            const quint32 handle = part.section(u':', 0, 0).toUInt();
            connection.remote << handle;
            connection.statuses[handle] = part.section(u':', 1).toUInt(nullptr, 16);
        }
        QCOMPARE(monitor.isRasConnected(), connected[i]);
    }
}

QTEST_GUILESS_MAIN(TestConnectionMonitor)
#include "TestConnectionMonitor.moc"
