// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_tsy: whole-process times of tsy normalize, list, dump and export-html on a
// generated stack file, next to the least a program that copies the file
// must do: read it, write the same bytes with one write, flush them to disk
// and rename. Then the same at a larger size, to see that loading, saving
// and listing grow linearly, and the resident memory after loading the
// larger file. Each time is the best of several runs; the steps at the first
// size are taken in turn, so that their ratios compare like with like.

#include "DayCount.h"
#include "StackFile.h"
#include "BenchFigures.h"
#include "BenchRun.h"
#include "StackFileGenerator.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr double normalizeTarget = 3.0;   // x raw copy
constexpr double listTarget = 1.0;        // x normalize
constexpr double dumpTarget = 1.5;        // x normalize
constexpr double exportTarget = 1.5;      // x normalize
constexpr double xbelTarget = 2.0;        // x normalize, each way
constexpr double linearityTarget = 11.0;  // x the figure at a tenth of the size
constexpr double largeRssTargetMiB = 450.0;
constexpr double commandRssTargetMiB = 350.0;  // peak of a whole-store command at the larger size

double bestOf(int repetitions, const std::function<bool()> &measured)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!measured())
            return -1.0;
        best = std::min(best, double(timer.nsecsElapsed()) / 1.0e6);
    }
    return best;
}

// The best time of each step, the steps taken in turn in every round, so
// that all of them meet the machine in the same states (memory that other
// processes have just freed, the disk cache); empty when a step fails.
std::vector<double> bestOfInTurn(int repetitions, const std::vector<std::function<bool()>> &steps)
{
    std::vector<double> best(steps.size(), std::numeric_limits<double>::infinity());
    for (int i = 0; i < repetitions; ++i) {
        for (size_t step = 0; step < steps.size(); ++step) {
            QElapsedTimer timer;
            timer.start();
            if (!steps[step]())
                return {};
            best[step] = std::min(best[step], double(timer.nsecsElapsed()) / 1.0e6);
        }
    }
    return best;
}

// Writes the bytes to a new file beside to with one write, flushes them to
// disk and renames the file to to.
bool writeAndRename(const char *bytes, qint64 size, const QString &to)
{
    const QString temporary = to + QStringLiteral(".part");
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || out.write(bytes, size) != size || ::fsync(out.handle()) != 0)
        return false;
    out.close();
    return std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(to).constData()) == 0;
}

// The least a copying program does: read, one write, flush to disk, rename.
// The bytes go to memory fresh from the kernel, as in a program that has
// just started; a buffer from the heap would be memory that an earlier run
// already faulted in, which no whole-process run of tsy gets.
bool rawCopy(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 size = in.size();
    const size_t length = size_t(std::max<qint64>(size, 1));
    void *const buffer = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (buffer == MAP_FAILED)
        return false;
    const char *const bytes = static_cast<char *>(buffer);
    const bool copied = in.read(static_cast<char *>(buffer), size) == size && writeAndRename(bytes, size, to);
    ::munmap(buffer, length);
    return copied;
}

// The same copy through a heap buffer that each run gets back from the one
// before: the figure this benchmark compared with until its third pass.
bool rawCopyReusingHeap(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    return writeAndRename(bytes.constData(), bytes.size(), to);
}

// Runs tsy with its standard output going to a file, as a shell redirection would.
bool runTsy(const QString &tsy, const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.setStandardOutputFile(output);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(tsy, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// A whole-store command's CPU time at one size: its first run after the
// machine has been left alone for a while (as a user starts it), the best of
// the runs right after that one, and the highest peak of memory among them.
struct CommandGrowth
{
    double firstMs = -1.0;
    double repeatedMs = -1.0;
    double peakMiB = 0.0;
};

CommandGrowth measureCommand(const QString &tsy, const QStringList &arguments, const QString &output,
                             int repetitions, int pauseSeconds)
{
    std::this_thread::sleep_for(std::chrono::seconds(pauseSeconds));
    CommandGrowth growth;
    const std::optional<BenchRun::Cost> first = BenchRun::runProgram(QStringList {tsy} + arguments, {}, output);
    if (!first)
        return {};
    growth.firstMs = first->cpuMs;
    growth.peakMiB = first->peakMiB;
    growth.repeatedMs = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repetitions; ++i) {
        const std::optional<BenchRun::Cost> run = BenchRun::runProgram(QStringList {tsy} + arguments, {}, output);
        if (!run)
            return {};
        growth.repeatedMs = std::min(growth.repeatedMs, run->cpuMs);
        growth.peakMiB = std::max(growth.peakMiB, run->peakMiB);
    }
    return growth;
}

// The whole-store commands on a file: list, dump, find and normalize.
std::vector<QStringList> wholeStoreCommands(const QString &path, const QString &folder)
{
    return {{QStringLiteral("list"), path, QStringLiteral("--all")},
            {QStringLiteral("dump"), path},
            {QStringLiteral("find"), path, QStringLiteral("ab")},
            {QStringLiteral("normalize"), path, folder + QStringLiteral("/normal.tsy")}};
}

// Each command's CPU time at the larger size against the smaller, first runs
// and repeated runs, and its peak memory at the larger size.
void printGrowth(const std::vector<QStringList> &commands, const std::vector<CommandGrowth> &small,
                 const std::vector<CommandGrowth> &big, double limit, QByteArrayList &missed)
{
    std::printf("%-16s %12s %12s %8s %12s %12s %8s %10s\n", "CPU ms", "first small", "first large", "ratio",
                "again small", "again large", "ratio", "peak MiB");
    for (size_t i = 0; i < commands.size(); ++i) {
        if (small[i].firstMs < 0 || big[i].firstMs < 0) {
            std::printf("tsy %-12s failed\n", qPrintable(commands[i].first()));
            missed.append("tsy " + commands[i].first().toUtf8() + " (failed)");
            continue;
        }
        const double firstRatio = big[i].firstMs / small[i].firstMs;
        const double repeatedRatio = big[i].repeatedMs / small[i].repeatedMs;
        std::printf("tsy %-12s %12.1f %12.1f %7.2fx %12.1f %12.1f %7.2fx %10.1f\n", qPrintable(commands[i].first()),
                    small[i].firstMs, big[i].firstMs, firstRatio, small[i].repeatedMs, big[i].repeatedMs,
                    repeatedRatio, big[i].peakMiB);
        if (!(firstRatio <= limit) || !(repeatedRatio <= limit))
            missed.append("growth of tsy " + commands[i].first().toUtf8());
        if (!(big[i].peakMiB <= commandRssTargetMiB))
            missed.append("peak memory of tsy " + commands[i].first().toUtf8());
    }
    std::printf("targets: each ratio <= %.1fx, each peak <= %.0f MiB\n", limit, commandRssTargetMiB);
}

bool generate(const QString &path, qsizetype entries)
{
    StackFileGenerator::Settings settings;
    settings.entryCount = entries;
    settings.seed = 1;
    QString error;
    std::fprintf(stderr, "generating %lld entries...\n", static_cast<long long>(entries));
    if (StackFileGenerator(settings).writeFile(path, &error))
        return true;
    std::fprintf(stderr, "bench_tsy: %s\n", qPrintable(error));
    return false;
}

// The child process: load the file, print resident memory, nothing else.
int rssOnly(const QString &path)
{
    URLBlock store;
    if (!StackFile::loadStackFile(store, path, false, DayCount::now()))
        return 1;
    std::printf("%.1f\n", BenchFigures::residentMiB());
    return 0;
}

double childResidentMiB(const QString &path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--rss-only"), path});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return -1.0;
    return child.readAllStandardOutput().trimmed().toDouble();
}

// In-process load (into a fresh store, freed outside the timing), save and
// whole-process list of one file.
struct SizeFigures
{
    double split = -1.0;  // read the file and split it into lines: bench_store's baseline
    double copy = -1.0;   // raw copy
    double load = -1.0;
    double save = -1.0;
    double list = -1.0;
};

SizeFigures measureSize(const QString &path, const QString &tsy, const QString &folder, int repetitions)
{
    SizeFigures figures;
    const double now = DayCount::now();
    figures.split = bestOf(repetitions, [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && !file.readAll().split('\n').isEmpty();
    });
    figures.copy = bestOf(repetitions, [&] { return rawCopy(path, folder + QStringLiteral("/copy.tsy")); });
    std::unique_ptr<URLBlock> store;
    figures.load = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repetitions; ++i) {
        store.reset();  // freeing the previous store is not part of a load
        auto fresh = std::make_unique<URLBlock>();
        QElapsedTimer timer;
        timer.start();
        if (!StackFile::loadStackFile(*fresh, path, false, now))
            return {};
        figures.load = std::min(figures.load, double(timer.nsecsElapsed()) / 1.0e6);
        store = std::move(fresh);
    }
    figures.save = bestOf(
        repetitions, [&] { return StackFile::saveStackFile(*store, folder + QStringLiteral("/saved.tsy")); });
    store.reset();
    figures.list = bestOf(repetitions, [&] {
        return runTsy(tsy, {QStringLiteral("list"), path, QStringLiteral("--all")},
                      folder + QStringLiteral("/list.txt"));
    });
    return figures;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = BenchRun::runAsMeasuringProcess(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Whole-process times of tsy normalize, list --all, dump and export-html on a generated stack file of N\n"
        "entries (default 100000), against a raw copy of the file; then load, save and list at\n"
        "--large entries (default 10 x N, 0 to skip) and the resident memory after that load."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("Entries (default 100000)."),
                                 QStringLiteral("[N]"));
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"),
                                               QStringLiteral("Runs (default 5)."), QStringLiteral("R"),
                                               QStringLiteral("5"));
    const QCommandLineOption largeOption(
        QStringLiteral("large"), QStringLiteral("Entries of the linearity check."), QStringLiteral("M"));
    const QCommandLineOption tsyOption(QStringLiteral("tsy"),
                                       QStringLiteral("The tsy to time (default: beside this program)."),
                                       QStringLiteral("PATH"));
    QCommandLineOption rssOnlyOption(QStringLiteral("rss-only"), QStringLiteral("Used internally."),
                                     QStringLiteral("FILE"));
    rssOnlyOption.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption pauseOption(
        QStringLiteral("pause"),
        QStringLiteral("Seconds left idle before each command's first run at each size (default 10)."),
        QStringLiteral("S"), QStringLiteral("10"));
    parser.addOptions({repetitionsOption, largeOption, tsyOption, pauseOption, rssOnlyOption});
    parser.process(app);
    if (parser.isSet(rssOnlyOption))
        return rssOnly(parser.value(rssOnlyOption));

    const qsizetype entries = parser.positionalArguments().value(0, QStringLiteral("100000")).toLongLong();
    const qsizetype large = parser.isSet(largeOption) ? parser.value(largeOption).toLongLong() : 10 * entries;
    const int repetitions = std::max(1, parser.value(repetitionsOption).toInt());
    const QString tsy = parser.isSet(tsyOption)
        ? parser.value(tsyOption)
        : QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");
    QTemporaryDir temp;
    if (entries < 2 || !temp.isValid() || !QFileInfo(tsy).isExecutable()) {
        std::fprintf(stderr, "bench_tsy: need N >= 2, a temporary folder and tsy at %s\n", qPrintable(tsy));
        return 2;
    }
    const QString input = temp.filePath(QStringLiteral("bench.tsy"));
    if (!generate(input, entries))
        return 1;

    const QString out = temp.filePath(QStringLiteral("out"));
    // The whole-store commands first, before this process loads stores of its own.
    const QString largeInput = temp.filePath(QStringLiteral("large.tsy"));
    const int largeRepetitions = std::max(1, repetitions / 2);
    const std::vector<QStringList> smallCommands = wholeStoreCommands(input, temp.path());
    const std::vector<QStringList> bigCommands = wholeStoreCommands(largeInput, temp.path());
    std::vector<CommandGrowth> smallGrowth, bigGrowth;
    const int pause = std::max(0, parser.value(pauseOption).toInt());
    if (large > 0) {
        if (!generate(largeInput, large))
            return 1;
        std::fprintf(stderr, "measuring the whole-store commands at both sizes...\n");
        for (size_t i = 0; i < smallCommands.size(); ++i) {
            smallGrowth.push_back(measureCommand(tsy, smallCommands[i], out, repetitions, pause));
            bigGrowth.push_back(measureCommand(tsy, bigCommands[i], out, largeRepetitions, pause));
        }
    }

    std::fprintf(stderr, "measuring raw copy, normalize, list, dump, export-html and XBEL...\n");
    // import-xbel registers the library Pemberly in the registry, which lives in the temporary folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(temp.filePath(QStringLiteral("config"))));
    const QString xbel = temp.filePath(QStringLiteral("out.xbel"));
    const QString imported = temp.filePath(QStringLiteral("imported.tsy"));
    const std::vector<double> figures = bestOfInTurn(
        repetitions,
        {[&] { return rawCopy(input, temp.filePath(QStringLiteral("copy.tsy"))); },
         [&] { return rawCopyReusingHeap(input, temp.filePath(QStringLiteral("copy.tsy"))); },
         [&] {
             return runTsy(tsy, {QStringLiteral("normalize"), input, temp.filePath(QStringLiteral("normal.tsy"))},
                           out);
         },
         [&] { return runTsy(tsy, {QStringLiteral("list"), input, QStringLiteral("--all")}, out); },
         [&] { return runTsy(tsy, {QStringLiteral("dump"), input}, out); },
         [&] {
             return runTsy(tsy, {QStringLiteral("export-html"), input, temp.filePath(QStringLiteral("out.html"))},
                           out);
         },
         [&] { return runTsy(tsy, {QStringLiteral("export-xbel"), input, xbel}, out); },
         [&] {
             // Into a new file each time, as a first import is.
             QFile::remove(imported);
             return runTsy(tsy, {QStringLiteral("import-xbel"), imported, xbel}, out);
         }});
    const SizeFigures small = large > 0 ? measureSize(input, tsy, temp.path(), repetitions) : SizeFigures {};
    if (figures.empty() || (large > 0 && (small.load < 0 || small.save < 0 || small.list < 0))) {
        std::fprintf(stderr, "bench_tsy: a run failed\n");
        return 1;
    }
    const double copy = figures[0];
    const double copyReusingHeap = figures[1];
    const double normalize = figures[2];
    const double list = figures[3];
    const double dump = figures[4];
    const double exportHtml = figures[5];
    const double exportXbel = figures[6];
    const double importXbel = figures[7];

    std::printf("Tessaly tsy benchmark, %s\n",
                qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)));
    std::printf("%lld entries, %.1f MiB; best of %d runs; whole processes, standard output to a file\n\n",
                static_cast<long long>(entries), double(QFileInfo(input).size()) / (1024.0 * 1024.0),
                repetitions);
    std::printf("%-44s %10s  %9s  %-22s %s\n", "step", "best ms", "ratio", "target", "met");
    QByteArrayList missed;
    BenchFigures::printRatio("raw copy: read, one write, fsync, rename", copy, 0, "", 0, missed);
    BenchFigures::printRatio("  the same, heap buffer reused (info)", copyReusingHeap, copy, "", 0, missed);
    BenchFigures::printRatio("tsy normalize", normalize, copy, "<= 3x raw copy", normalizeTarget, missed);
    BenchFigures::printRatio("tsy list FILE --all", list, normalize, "<= 1x normalize", listTarget, missed);
    BenchFigures::printRatio("tsy dump", dump, normalize, "<= 1.5x normalize", dumpTarget, missed);
    BenchFigures::printRatio("tsy export-html", exportHtml, normalize, "<= 1.5x normalize", exportTarget, missed);
    BenchFigures::printRatio("tsy export-xbel", exportXbel, normalize, "<= 2x normalize", xbelTarget, missed);
    BenchFigures::printRatio("tsy import-xbel into a new file", importXbel, normalize, "<= 2x normalize", xbelTarget,
                             missed);

    if (large > 0) {
        std::fprintf(stderr, "measuring %lld entries...\n", static_cast<long long>(large));
        const SizeFigures big = measureSize(largeInput, tsy, temp.path(), largeRepetitions);
        const double rss = childResidentMiB(largeInput);
        const double limit = linearityTarget * double(large) / double(entries) / 10.0;
        std::printf(
            "\n%lld entries against %lld (best of %d; in-process load and save, whole-process list)\n",
            static_cast<long long>(large), static_cast<long long>(entries), largeRepetitions);
        // Wall times, for information: the targets are on the commands' CPU
        // times below, which the other work of a shared machine disturbs less.
        BenchFigures::printRatio("load (in process, info)", big.load, small.load, "", 0, missed);
        BenchFigures::printRatio("save (in process, info)", big.save, small.save, "", 0, missed);
        BenchFigures::printRatio("tsy list FILE --all (info)", big.list, small.list, "", 0, missed);
        // What the machine itself does at the larger size, to tell the
        // program's growth from the machine's.
        BenchFigures::printRatio("  read and split lines (info)", big.split, small.split, "", 0, missed);
        BenchFigures::printRatio("  raw copy with fsync (info)", big.copy, small.copy, "", 0, missed);
        std::printf("\nwhole processes, CPU (user + system) at %lld against %lld entries; first run after %d s "
                    "idle, then the best of %d and %d runs\n",
                    static_cast<long long>(large), static_cast<long long>(entries), pause, repetitions,
                    largeRepetitions);
        printGrowth(smallCommands, smallGrowth, bigGrowth, limit, missed);
        const bool rssMet = rss >= 0 && rss <= largeRssTargetMiB;
        std::printf("resident memory after loading %lld entries: %.1f MiB  target <= %.0f MiB  %s\n",
                    static_cast<long long>(large), rss, largeRssTargetMiB, rssMet ? "yes" : "NO");
        if (!rssMet)
            missed.append("resident memory");
    }
    const QByteArray verdict = missed.isEmpty() ? QByteArray("all targets met")
                                                : QByteArray("targets missed: " + missed.join(", "));
    std::printf("\n%s\n", verdict.constData());
    return 0;
}
