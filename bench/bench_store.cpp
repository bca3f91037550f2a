// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_store: times the store's bulk operations on a large stack file and
// prints each figure as the best of several runs, next to its target.
//
// The baseline is the least any loader must do: read the file's bytes and
// split them into lines. Load and save are compared with it; the shown
// decision and group removal are compared with load, since the program does
// them on a store it has already loaded. Resident memory is measured in a
// child process that only loads the file, so the other steps do not count.

#include "DayCount.h"
#include "Duplicates.h"
#include "EntryFilter.h"
#include "StackFile.h"
#include "StackFileGenerator.h"
#include "StoreChange.h"
#include "StoreSnapshot.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

#ifndef TESSALY_BENCH_BUILD_TYPE
#define TESSALY_BENCH_BUILD_TYPE "unknown"
#endif

namespace {

constexpr qsizetype defaultEntryCount = 100000;
constexpr int defaultRepetitions = 5;
constexpr quint32 generatorSeed = 1;

// Targets: load and save within 4 times the baseline, one shown-decision pass
// within the time of a load, removing a group of half the entries within two
// loads, and at most 120 MiB resident after loading 100,000 entries.
constexpr double loadTarget = 4.0;
constexpr double saveTarget = 4.0;
constexpr double filterTarget = 1.0;
constexpr double removeTarget = 2.0;
constexpr double duplicatesTarget = 0.5;
constexpr double rssTargetMiB = 120.0;

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1.0e6;
}

// A value of /proc/self/status in MiB ("VmRSS", "VmHWM"); nothing when absent.
std::optional<double> statusMiB(const QByteArray &status, const QByteArray &key)
{
    for (const QByteArray &line : status.split('\n')) {
        if (!line.startsWith(QByteArray(key + ':')))
            continue;
        const QList<QByteArray> parts = line.mid(key.size() + 1).simplified().split(' ');
        bool ok = false;
        const double kib = parts.value(0).toDouble(&ok);
        if (ok)
            return kib / 1024.0;
    }
    return std::nullopt;
}

QByteArray procStatus()
{
    QFile file(QStringLiteral("/proc/self/status"));
    // Files in /proc report size 0: read until the end instead of by size.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return file.readAll();
}

QString cpuModel()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown CPU");
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("model name")) {
            const qsizetype colon = line.indexOf(':');
            return QString::fromUtf8(line.mid(colon + 1).trimmed());
        }
    }
    return QStringLiteral("unknown CPU");
}

// The child process: load the file, report resident memory, and nothing else.
int rssOnly(const QString &path)
{
    URLBlock store;
    QString error;
    if (!StackFile::loadStackFile(store, path, false, DayCount::now(), &error)) {
        std::fprintf(stderr, "bench_store: %s\n", qPrintable(error));
        return 1;
    }
    const QByteArray status = procStatus();
    const auto rss = statusMiB(status, "VmRSS");
    const auto peak = statusMiB(status, "VmHWM");
    if (!rss) {
        std::fprintf(stderr, "bench_store: no VmRSS in /proc/self/status\n");
        return 1;
    }
    std::printf("%lld %.1f %.1f\n", static_cast<long long>(store.urlDatas().Count()), *rss,
                peak.value_or(0.0));
    return 0;
}

struct Row
{
    QByteArray step;
    double ms = 0.0;
    QByteArray target;    // empty: no target, the figure is for information
    double measured = 0;  // the figure the target is about
    double limit = 0;
    bool met() const { return measured <= limit; }
};

void printRows(const std::vector<Row> &rows, double baselineMs)
{
    std::printf("%-42s %10s %12s  %-22s %s\n", "step", "best ms", "x baseline", "target", "met");
    for (const Row &row : rows) {
        std::printf("%-42s %10.2f %12.2f", row.step.constData(), row.ms, row.ms / baselineMs);
        if (!row.target.isEmpty())
            std::printf("  %-22s %s (%.2fx)", row.target.constData(), row.met() ? "yes" : "NO", row.measured);
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bench_store"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times loading, saving, the entry list's shown decision and group removal on a stack file\n"
        "of N entries (default 100000), generated in a temporary folder unless --file is given,\n"
        "and measures resident memory after loading it. Each time is the best of R runs."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("Entries to generate (default 100000)."),
                                 QStringLiteral("[N]"));
    const QCommandLineOption fileOption(QStringLiteral("file"),
                                        QStringLiteral("Use this stack file instead of generating one."),
                                        QStringLiteral("F"));
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"),
                                               QStringLiteral("Runs per measurement (default 5)."),
                                               QStringLiteral("R"), QString::number(defaultRepetitions));
    QCommandLineOption rssOnlyOption(QStringLiteral("rss-only"),
                                     QStringLiteral("Load FILE and print resident memory (used internally)."),
                                     QStringLiteral("FILE"));
    rssOnlyOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(fileOption);
    parser.addOption(repetitionsOption);
    parser.addOption(rssOnlyOption);
    parser.process(app);

    if (parser.isSet(rssOnlyOption))
        return rssOnly(parser.value(rssOnlyOption));

    qsizetype entryCount = defaultEntryCount;
    const QStringList positional = parser.positionalArguments();
    bool ok = true;
    if (positional.size() > 1) {
        std::fprintf(stderr, "bench_store: expected at most one argument, N\n");
        return 2;
    }
    if (positional.size() == 1) {
        entryCount = positional.at(0).toLongLong(&ok);
        if (!ok || entryCount < 2) {
            std::fprintf(stderr, "bench_store: N must be a number of entries, at least 2\n");
            return 2;
        }
    }
    const int repetitions = parser.value(repetitionsOption).toInt(&ok);
    if (!ok || repetitions < 1) {
        std::fprintf(stderr, "bench_store: --repetitions must be at least 1\n");
        return 2;
    }

    QTemporaryDir temp;
    if (!temp.isValid()) {
        std::fprintf(stderr, "bench_store: no temporary folder: %s\n", qPrintable(temp.errorString()));
        return 1;
    }

    QString path;
    QString source;
    if (parser.isSet(fileOption)) {
        if (!positional.isEmpty())
            std::fprintf(stderr, "bench_store: N is ignored with --file: the file decides\n");
        path = parser.value(fileOption);
        source = QStringLiteral("given file %1").arg(path);
    } else {
        path = temp.filePath(QStringLiteral("bench.tsy"));
        StackFileGenerator::Settings settings;
        settings.entryCount = entryCount;
        settings.seed = generatorSeed;
        StackFileGenerator generator(settings);
        QString error;
        std::fprintf(stderr, "generating %lld entries...\n", static_cast<long long>(entryCount));
        if (!generator.writeFile(path, &error)) {
            std::fprintf(stderr, "bench_store: %s\n", qPrintable(error));
            return 1;
        }
        source = QStringLiteral("generated, seed %1, %2 groups").arg(generatorSeed).arg(settings.groupCount);
    }
    const QString savePath = temp.filePath(QStringLiteral("saved.tsy"));
    const double now = DayCount::now();
    constexpr double never = std::numeric_limits<double>::infinity();

    // Baseline: the file's bytes, split into lines.
    std::fprintf(stderr, "measuring baseline...\n");
    double baselineMs = never;
    qsizetype lineCount = 0;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "bench_store: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        const QList<QByteArray> lines = bytes.split('\n');
        baselineMs = std::min(baselineMs, elapsedMs(timer));
        lineCount = lines.size();
    }

    // Load into a fresh store; the store is freed outside the timing.
    std::fprintf(stderr, "measuring load...\n");
    double loadMs = never;
    std::unique_ptr<URLBlock> store;
    for (int i = 0; i < repetitions; ++i) {
        auto fresh = std::make_unique<URLBlock>();
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!StackFile::loadStackFile(*fresh, path, false, now, &error)) {
            std::fprintf(stderr, "bench_store: %s\n", qPrintable(error));
            return 1;
        }
        loadMs = std::min(loadMs, elapsedMs(timer));
        store = std::move(fresh);
    }
    const qsizetype loaded = store->urlDatas().Count();
    const int groupCount = store->IDXList().groupCount();
    if (loaded < 2 || groupCount < 1) {
        std::fprintf(stderr,
                     "bench_store: the file holds %lld entries in %d groups; need 2 entries and a group\n",
                     static_cast<long long>(loaded), groupCount);
        return 1;
    }

    // The save text alone, for telling encoding from writing when save misses its target.
    std::fprintf(stderr, "measuring save...\n");
    double textMs = never;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray text = StackFile::stackFileText(*store);
        textMs = std::min(textMs, elapsedMs(timer));
    }
    double saveMs = never;
    for (int i = 0; i < repetitions; ++i) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!StackFile::saveStackFile(*store, savePath, &error)) {
            std::fprintf(stderr, "bench_store: %s\n", qPrintable(error));
            return 1;
        }
        saveMs = std::min(saveMs, elapsedMs(timer));
    }

    // One shown-decision pass with every filter on.
    std::fprintf(stderr, "measuring filter pass...\n");
    ViewFilter filter;
    filter.ratingMask = {true, true, false, true, true, false};  // rating 2 off
    filter.visitedMode = ViewFilter::MoreThan;
    filter.visitedCount = 0;
    filter.accessedMode = ViewFilter::LessThan;
    filter.accessedAmount = 24;
    filter.accessedUnit = CalendarInterval::Months;
    filter.addedMode = ViewFilter::MoreThan;
    filter.addedAmount = 4;
    filter.addedUnit = CalendarInterval::Weeks;
    filter.textMask = QStringLiteral("a*e");
    ListScope scope;
    scope.selectedGroup = 0;
    scope.allGroups = true;
    double filterMs = never;
    qsizetype shown = 0;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        const EntryFilter entryFilter(filter, scope, store->IDXList(), now);
        const std::vector<const URLData *> entries = entryFilter.shownEntries(store->urlDatas());
        filterMs = std::min(filterMs, elapsedMs(timer));
        shown = qsizetype(entries.size());
    }

    // The sets of entries that hold the same page, over the whole store.
    std::fprintf(stderr, "measuring duplicates...\n");
    double duplicatesMs = never;
    size_t duplicateSets = 0;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::vector<DuplicateSet> sets = Duplicates::find(store->urlDatas());
        duplicatesMs = std::min(duplicatesMs, elapsedMs(timer));
        duplicateSets = sets.size();
    }
    store.reset();

    // Removing a group that holds the first half of the entries, as a group
    // at the top of the file would; each run starts from a fresh load.
    std::fprintf(stderr, "measuring group removal...\n");
    double removeMs = never;
    qsizetype removed = 0;
    // What undo adds: the store noted before a command and the difference
    // kept after it, the undo of the removal, and all of it around one rate.
    double noteMs = never;
    double keepMs = never;
    double undoMs = never;
    double rateMs = never;
    for (int i = 0; i < repetitions; ++i) {
        auto half = std::make_unique<URLBlock>();
        if (!StackFile::loadStackFile(*half, path, false, now))
            return 1;
        const qsizetype count = half->urlDatas().Count();
        qsizetype position = 0;
        for (URLData &entry : half->urlDatas()) {
            if (position++ < count / 2)
                entry.Owner = 0;
        }
        QElapsedTimer timer;
        timer.start();
        const StoreSnapshot before(*half);
        noteMs = std::min(noteMs, elapsedMs(timer));
        timer.start();
        half->removeGroup(0);
        removeMs = std::min(removeMs, elapsedMs(timer));
        removed = count - half->urlDatas().Count();
        timer.start();
        const StoreChange change(before, *half);
        keepMs = std::min(keepMs, elapsedMs(timer));
        timer.start();
        change.undo(*half);
        undoMs = std::min(undoMs, elapsedMs(timer));
        if (half->urlDatas().Count() != count)
            undoMs = never;
        // A command that changes one entry: its whole cost of being undoable.
        timer.start();
        {
            const StoreSnapshot beforeRate(*half);
            half->urlDatas().Item(count / 2)->Rated ^= 1;
            const StoreChange rate(beforeRate, *half);
            if (rate.size() != 2)
                rateMs = never;
        }
        rateMs = std::min(rateMs, elapsedMs(timer));
    }

    // Resident memory in a child that only loads the file.
    std::fprintf(stderr, "measuring resident memory...\n");
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--rss-only"), path});
    double rssMiB = 0.0;
    double peakMiB = 0.0;
    long long rssEntries = 0;
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0
        || std::sscanf(child.readAllStandardOutput().constData(), "%lld %lf %lf", &rssEntries, &rssMiB,
                       &peakMiB)
            != 3) {
        std::fprintf(stderr, "bench_store: the memory measurement failed\n");
        return 1;
    }

    std::printf("Tessaly store benchmark, %s\n",
                qPrintable(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    std::printf("machine: %d cores, %s; %s; Qt %s; build type %s\n", QThread::idealThreadCount(),
                qPrintable(cpuModel()), qPrintable(QSysInfo::prettyProductName()), qVersion(),
                TESSALY_BENCH_BUILD_TYPE);
    std::printf("file: %lld entries in %d groups, %lld lines, %.1f MiB (%s)\n",
                static_cast<long long>(loaded), groupCount, static_cast<long long>(lineCount),
                double(QFileInfo(path).size()) / (1024.0 * 1024.0), qPrintable(source));
    std::printf("each time is the best of %d runs\n\n", repetitions);

    std::vector<Row> rows;
    rows.push_back({"baseline: read file, split lines", baselineMs, {}, 0, 0});
    rows.push_back({"load", loadMs, "<= 4x baseline", loadMs / baselineMs, loadTarget});
    rows.push_back({"save", saveMs, "<= 4x baseline", saveMs / baselineMs, saveTarget});
    rows.push_back({"  of which save text, no file (info)", textMs, {}, 0, 0});
    rows.push_back({QByteArray("filter pass (" + QByteArray::number(shown) + " of "
                               + QByteArray::number(loaded) + " shown)"),
                    filterMs, "<= 1x load", filterMs / loadMs, filterTarget});
    rows.push_back({QByteArray("remove group of " + QByteArray::number(removed) + " entries"), removeMs,
                    "<= 2x load", removeMs / loadMs, removeTarget});
    rows.push_back({"  noted for undo before it (info)", noteMs, {}, 0, 0});
    rows.push_back({"  its difference kept (info)", keepMs, {}, 0, 0});
    rows.push_back({"  undone (info)", undoMs, {}, 0, 0});
    rows.push_back({"rate one entry, undoable (info)", rateMs, {}, 0, 0});
    rows.push_back({QByteArray("duplicates (" + QByteArray::number(qulonglong(duplicateSets)) + " sets)"),
                    duplicatesMs, "<= 0.5x load", duplicatesMs / loadMs, duplicatesTarget});
    printRows(rows, baselineMs);

    const bool rssMet = rssMiB <= rssTargetMiB;
    std::printf("\nresident memory after loading %lld entries: %.1f MiB (peak during load %.1f MiB)  "
                "target <= %.0f MiB  %s\n",
                rssEntries, rssMiB, peakMiB, rssTargetMiB, rssMet ? "yes" : "NO");
    if (rssEntries != defaultEntryCount)
        std::printf("  (the memory target is for %lld entries)\n", static_cast<long long>(defaultEntryCount));

    // The filter figure only means something when the filters both keep and drop entries.
    if (shown <= 0 || shown >= loaded)
        std::printf("WARNING: the filter pass showed %lld of %lld entries: the filters did not really run\n",
                    static_cast<long long>(shown), static_cast<long long>(loaded));
    if (removed != loaded / 2)
        std::printf("WARNING: the group removal removed %lld entries, not %lld\n",
                    static_cast<long long>(removed), static_cast<long long>(loaded / 2));

    QByteArrayList missed;
    for (const Row &row : rows) {
        if (!row.target.isEmpty() && !row.met())
            missed.append(row.step);
    }
    if (!rssMet)
        missed.append("resident memory");
    const QByteArray verdict = missed.isEmpty() ? QByteArray("all targets met")
                                                : QByteArray("targets missed: " + missed.join(", "));
    std::printf("\n%s\n", verdict.constData());
    return 0;
}
