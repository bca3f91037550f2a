// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_connection: what one question of the connection monitor costs on the
// user-interface thread: ConnectionState::internetConnected(),
// remoteConnections() and remoteConnectionStatus(), and the routing-table way
// that stands in when no network information backend loads. Prints the first
// call (which loads the backend) and the median and 99th percentile of many
// calls, by the clock and by the thread's own time, in microseconds; the target is under 1 ms a call.

#include "LinuxConnectionState.h"
#include "RouteTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr int calls = 2000;
constexpr double targetMicroseconds = 1000;

struct Cost
{
    double wall = 0;  // microseconds of the clock
    double cpu = 0;   // microseconds that this thread ran (user and system)
};

double threadCpuMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1000.0;
}

Cost measure(const std::function<void()> &work)
{
    QElapsedTimer timer;
    const double cpuBefore = threadCpuMicroseconds();
    timer.start();
    work();
    return {double(timer.nsecsElapsed()) / 1000.0, threadCpuMicroseconds() - cpuBefore};
}

double percentile(QList<double> times, int percent)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() * percent / 100);
}

// Prints the median and 99th percentile of many calls, by the clock and by
// the thread's own time; true when the 99th percentile of the thread's time
// is within the target. On a busy machine the clock's slowest calls are the
// process waiting for a core, not the call's own cost.
bool printCalls(const char *name, const std::function<void()> &work)
{
    QList<double> wall;
    QList<double> cpu;
    for (int i = 0; i < calls; ++i) {
        const Cost cost = measure(work);
        wall.append(cost.wall);
        cpu.append(cost.cpu);
    }
    const bool met = percentile(cpu, 99) < targetMicroseconds;
    std::printf("%-32s clock: median %6.1f us, 99%% %7.1f us; thread: median %6.1f us, 99%% %6.1f us  %s\n",
                name, percentile(wall, 50), percentile(wall, 99), percentile(cpu, 50), percentile(cpu, 99),
                met ? "met" : "MISSED");
    return met;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    volatile bool sink = false;

    LinuxConnectionState *state = nullptr;
    const double construct = measure([&] { state = new LinuxConnectionState; }).wall;
    const double first = measure([&] { sink = state->internetConnected(); }).wall;
    const QNetworkInformation *information = QNetworkInformation::instance();
    std::printf("backend: %s, reachability %d; connected %s\n",
                information ? qPrintable(information->backendName()) : "none (routing table)",
                information ? int(information->reachability()) : -1, sink ? "yes" : "no");
    std::printf("%-32s %8.1f us (loads the backend, once a process)\n", "first construction", construct);
    std::printf("%-32s %8.1f us\n", "first internetConnected()", first);

    bool met = true;
    met &= printCalls("internetConnected()", [&] { sink = state->internetConnected(); });
    const QList<quint32> remote = state->remoteConnections();
    met &= printCalls("remoteConnections()", [&] { sink = state->remoteConnections().isEmpty(); });
    const quint32 handle = remote.isEmpty()
        ? quint32(QNetworkInterface::interfaceFromName(QStringLiteral("lo")).index())
        : remote.first();
    met &= printCalls("remoteConnectionStatus(handle)",
                      [&] { sink = state->remoteConnectionStatus(handle) != 0; });
    met &= printCalls("routing table (no backend)", [&] {
        sink = RouteTable::hasDefaultRoute(RouteTable::systemTable(), [](const QString &name) {
            return QNetworkInterface::interfaceFromName(name).flags().testFlag(QNetworkInterface::IsUp);
        });
    });
    std::printf("remote-access connections here: %lld\n", qint64(remote.size()));
    std::printf("%s\n", met ? "every call under 1 ms" : "a call took 1 ms or more");
    delete state;
    return 0;
}
