// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_entries: the commands on entries over a generated store of N
// entries (default 100000): a sort by each kind of column, and removing,
// rating and moving every tenth entry (N / 10 scattered keys), each as a
// ratio to loading the same store in the same run; then whole-process
// "tsy remove" of those keys against "tsy normalize" of the same file.
// Each time is the best of several runs.

#include "DayCount.h"
#include "EntryOperations.h"
#include "EntrySort.h"
#include "StackFile.h"
#include "BenchFigures.h"
#include "StackFileGenerator.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr double sortTarget = 1.0;       // x load
constexpr double commandTarget = 0.5;    // x load
constexpr double tsyRemoveTarget = 1.5;  // x tsy normalize

// The best time in ms of measured, with prepare run untimed before each run.
double bestOf(int repetitions, const std::function<void()> &prepare, const std::function<bool()> &measured)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        if (!measured())
            return -1.0;
        best = std::min(best, double(timer.nsecsElapsed()) / 1.0e6);
    }
    return best;
}

bool runTsy(const QString &tsy, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(tsy, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sorts and commands on N entries (default 100000) against the load."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("Entries (default 100000)."),
                                 QStringLiteral("[N]"));
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"),
                                               QStringLiteral("Runs (default 5)."), QStringLiteral("R"),
                                               QStringLiteral("5"));
    parser.addOption(repetitionsOption);
    parser.process(app);
    const qsizetype entries = parser.positionalArguments().value(0, QStringLiteral("100000")).toLongLong();
    const int repetitions = std::max(1, parser.value(repetitionsOption).toInt());
    const QString tsy = QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");
    QTemporaryDir temp;
    if (entries < 10 || !temp.isValid())
        return 2;

    const QString input = temp.filePath(QStringLiteral("bench.tsy"));
    StackFileGenerator::Settings settings;
    settings.entryCount = entries;
    QString error;
    if (!StackFileGenerator(settings).writeFile(input, &error)) {
        std::fprintf(stderr, "bench_entries: %s\n", qPrintable(error));
        return 1;
    }
    const double now = DayCount::now();
    std::unique_ptr<URLBlock> store;
    const auto fresh = [&] { store = std::make_unique<URLBlock>(); };
    const auto reload = [&] {
        fresh();
        StackFile::loadStackFile(*store, input, false, now);
    };
    const double load
        = bestOf(repetitions, fresh, [&] { return StackFile::loadStackFile(*store, input, false, now); });

    std::vector<quint32> all;
    for (const URLData &entry : store->urlDatas())
        all.push_back(entry.keyNumber());
    std::vector<quint32> scattered;
    for (size_t i = 0; i < all.size(); i += 10)
        scattered.push_back(all[i]);

    std::printf("Tessaly entry commands benchmark, %lld entries, %zu scattered keys; best of %d runs\n\n",
                static_cast<long long>(entries), scattered.size(), repetitions);
    std::printf("%-44s %10s  %9s  %-20s %s\n", "step", "best ms", "ratio", "target", "met");
    QByteArrayList missed;
    BenchFigures::printRatio("load (in process)", load, 0, "", 0, missed);
    const struct
    {
        const char *name;
        int column;
    } columns[]
        = {{"sort by title (text)", 0},   {"sort by URL (text)", 1},        {"sort by group (name)", 3},
           {"sort by rating (value)", 2}, {"sort by last visit (date)", 4}, {"sort by created (date)", 5},
           {"sort by visits (count)", 6}};
    std::vector<quint32> keys;
    for (const auto &column : columns) {
        const double ms = bestOf(
            repetitions, [&] { keys = all; },
            [&] {
                EntrySort::sort(keys, *store, column.column);
                return true;
            });
        BenchFigures::printRatio(column.name, ms, load, "<= 1x load", sortTarget, missed);
    }
    const double remove = bestOf(repetitions, reload, [&] {
        return EntryOperations::remove(*store, scattered) == qsizetype(scattered.size());
    });
    BenchFigures::printRatio("remove scattered keys", remove, load, "<= 0.5x load", commandTarget, missed);
    reload();
    const double rate = bestOf(
        repetitions, [] {},
        [&] { return EntryOperations::rate(*store, scattered, 3) == qsizetype(scattered.size()); });
    BenchFigures::printRatio("rate scattered keys", rate, load, "<= 0.5x load", commandTarget, missed);
    const double move = bestOf(
        repetitions, [] {},
        [&] { return EntryOperations::move(*store, scattered, 1) == qsizetype(scattered.size()); });
    BenchFigures::printRatio("move scattered keys", move, load, "<= 0.5x load", commandTarget, missed);

    QStringList removeArguments {QStringLiteral("remove"), temp.filePath(QStringLiteral("edit.tsy"))};
    for (const quint32 key : scattered)
        removeArguments << QString::number(key);
    const QString edited = temp.filePath(QStringLiteral("edit.tsy"));
    const double normalize = bestOf(
        repetitions, [] {},
        [&] {
            return runTsy(tsy,
                          {QStringLiteral("normalize"), input, temp.filePath(QStringLiteral("normal.tsy"))});
        });
    const double tsyRemove = bestOf(
        repetitions, [&] { copyFile(input, edited); }, [&] { return runTsy(tsy, removeArguments); });
    std::printf("\nwhole processes\n");
    BenchFigures::printRatio("tsy normalize", normalize, 0, "", 0, missed);
    BenchFigures::printRatio("tsy remove (scattered keys, with backup)", tsyRemove, normalize, "<= 1.5x normalize",
               tsyRemoveTarget, missed);
    const QByteArray verdict = missed.isEmpty() ? QByteArray("all targets met")
                                                : QByteArray("targets missed: " + missed.join(", "));
    std::printf("\n%s\n", verdict.constData());
    return 0;
}
