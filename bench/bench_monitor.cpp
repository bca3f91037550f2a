// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_monitor: the user-interface thread's cost of the browser integration's
// two frequent steps. One connection-monitor tick (Timer1, every 4000 ms) over
// the computer's real connection state, with mT 0 (remote-access connections)
// and mT 1 (internet state); and the time from openURL's call to the program
// starter's call for a running Firefox (the DDE adapter reading the profile's
// lock and App Paths) and for the default browser (App Paths, the program).
// Each step runs 2,000 times; the median and the 99th percentile are printed,
// by the clock and (for the tick) by the thread's own time: on a busy machine
// the clock's slowest runs are the process waiting for a core. Targets: a
// tick under 1 ms of the thread, openURL to the start under 50 ms.

#include "AppPaths.h"
#include "AppState.h"
#include "BrowserDdeClient.h"
#include "BrowserLaunch.h"
#include "ClipboardAccess.h"
#include "ConnectionMonitor.h"
#include "DesktopWindows.h"
#include "LinuxConnectionState.h"
#include "MonitorHost.h"
#include "ProgramStarter.h"
#include "SyntheticKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int runs = 2000;

class QuietHost : public MonitorHost
{
public:
    bool floatingButtonShown() const override { return true; }
    void showTrayWindow() override { }
    void hideTrayWindow() override { }
    void setTrayTopmost(bool) override { }
    void restoreMainWindow(bool) override { }
    void unloadMainWindow() override { }
    void ButtonState(int) override { }
};

// No window list, no keys, no clipboard: the launch's DDE and program ways only.
class NoWindows : public DesktopWindows
{
public:
    bool available() const override { return false; }
    QList<Window> topLevelWindows() override { return {}; }
    QString windowTitle(WindowId) override { return {}; }
    bool activate(WindowId, int) override { return false; }
    WindowId activeWindow() override { return 0; }
};

class NoKeys : public SyntheticKeys
{
public:
    bool send(const QList<KeyEvent> &) override { return false; }
};

class NoClipboard : public ClipboardAccess
{
public:
    void clear() override { }
    void setText(const QString &) override { }
    QString text() override { return {}; }
    QString waitForChange(const QString &, int) override { return {}; }
    ClipboardContents save() override { return {}; }
    void restore(const ClipboardContents &) override { }
};

// Notes the time of the start request and starts nothing.
class TimedStarter : public ProgramStarter
{
public:
    QElapsedTimer *clock = nullptr;
    qint64 startedAt = -1;
    bool startDetached(const QString &, const QStringList &, QString *) override
    {
        startedAt = clock->nsecsElapsed();
        return true;
    }
};

double threadMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

struct Spread
{
    double median;
    double p99;
};

Spread spread(std::vector<double> microseconds)
{
    std::sort(microseconds.begin(), microseconds.end());
    return {microseconds[microseconds.size() / 2], microseconds[microseconds.size() * 99 / 100]};
}

// The target is checked against the thread's time when there is one, else the clock's.
void printFigures(const char *step, const std::vector<double> &clock, const std::vector<double> &thread,
                  double targetUs)
{
    const Spread byClock = spread(clock);
    std::printf("%-42s clock: median %8.1f us, 99%% %8.1f us", step, byClock.median, byClock.p99);
    double checked = byClock.p99;
    if (!thread.empty()) {
        const Spread byThread = spread(thread);
        std::printf("; thread: median %8.1f us, 99%% %8.1f us", byThread.median, byThread.p99);
        checked = byThread.p99;
    }
    std::printf("  %s\n", checked <= targetUs ? "met" : "MISSED");
}

void monitorTicks(int mT)
{
    AppState state;
    state.settings.mT = mT;
    LinuxConnectionState connection;
    QuietHost host;
    ConnectionMonitor monitor(state, connection, host);
    std::vector<double> clock;
    std::vector<double> thread;
    for (int i = 0; i < runs; ++i) {
        // Every tick decides afresh, as after a change of the connection.
        state.lastConnState = i % 3;
        QElapsedTimer timer;
        const double threadStart = threadMicroseconds();
        timer.start();
        monitor.tick();
        clock.push_back(timer.nsecsElapsed() / 1000.0);
        thread.push_back(threadMicroseconds() - threadStart);
    }
    printFigures(mT == 0 ? "monitor tick, mT 0 (remote access)" : "monitor tick, mT 1 (internet state)",
                 clock, thread, 1000);
}

// A Firefox profile in a home of its own whose lock names this process.
void runFirefox(const QString &home)
{
    const QString profile = home + QStringLiteral("/.mozilla/firefox/p1.default");
    QDir().mkpath(profile);
    QFile ini(home + QStringLiteral("/.mozilla/firefox/profiles.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[Profile0]\nName=default\nIsRelative=1\nPath=p1.default\nDefault=1\n");
    ini.close();
    QFile::link(QStringLiteral("127.0.0.1:+") + QString::number(::getpid()),
                profile + QStringLiteral("/lock"));
}

void openToStart(const char *step, int pB)
{
    AppSettings settings;
    settings.pB = pB;
    NoWindows windows;
    NoKeys keys;
    NoClipboard clipboard;
    TimedStarter starter;
    BrowserDdeClient dde(starter);
    BrowserLaunch launch(settings, 2, {windows, keys, clipboard, dde, starter}, nullptr);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        starter.clock = &clock;
        starter.startedAt = -1;
        clock.start();
        launch.openURL(QStringLiteral("http://a.example/page"), 0);
        if (starter.startedAt < 0) {
            std::printf("%-44s no program was started\n", step);
            return;
        }
        times.push_back(starter.startedAt / 1000.0);
    }
    printFigures(step, times, {}, 50000);
}

}  // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QCoreApplication app(argc, argv);
    runFirefox(home.path());
    AppPaths::fillAppPaths(QString());

    monitorTicks(0);
    monitorTicks(1);
    openToStart("openURL to start, pB 1, Firefox running", 1);
    openToStart("openURL to start, pB 0, no browser window", 0);
    return 0;
}
