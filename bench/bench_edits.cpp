// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_edits: whole-process times of the tsy commands that change a few
// entries (add, edit, rate, remove, move, group rename) and of tsy find on a
// generated stack file, each streamed and, for comparison in the same run,
// with the whole store loaded (TSY_LOAD_WHOLE_STORE), against a plain copy
// of the file with fdatasync; and, when buku is installed, against buku's
// one-entry add and search on a database of the same entries. Each figure
// is the best of several rounds, the steps taken in turn in every round.

#include "BenchFigures.h"
#include "BenchRun.h"
#include "StackFileGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using BenchRun::Cost;

namespace {

constexpr double editTarget = 3.0;        // x the copy
constexpr double addPeerTarget = 0.3;     // x buku's add
constexpr double findPeerTarget = 0.5;    // x buku's search
constexpr double findMemoryTarget = 100;  // MiB

struct Step
{
    Step(const char *stepName, std::function<std::optional<Cost>()> measured)
        : name(stepName)
        , run(std::move(measured))
    { }

    const char *name;
    std::function<std::optional<Cost>()> run;
    Cost best;
};

void printCost(const char *step, const Cost &cost, const Cost *base, const char *target, double limit,
               QByteArrayList &missed)
{
    std::printf("%-46s %9.1f %9.1f %7.1f", step, cost.wallMs, cost.cpuMs, cost.peakMiB);
    if (base) {
        const double ratio = cost.wallMs / base->wallMs;
        const double cpuRatio = cost.cpuMs / base->cpuMs;
        std::printf("  %6.2fx %6.2fx", ratio, cpuRatio);
        if (*target) {
            const bool met = ratio <= limit;
            std::printf("  %-16s %s", target, met ? "yes" : "NO");
            if (!met)
                missed.append(step);
        }
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = BenchRun::runAsMeasuringProcess(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Whole-process times of tsy's streamed edits and find on a generated stack file of N entries\n"
        "(default 100000), against a plain copy with fdatasync, the same commands loading the whole\n"
        "store, and buku's add and search when buku is installed."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("Entries (default 100000)."),
                                 QStringLiteral("[N]"));
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"), QStringLiteral("Rounds (default 5)."),
                                               QStringLiteral("R"), QStringLiteral("5"));
    const QCommandLineOption tsyOption(QStringLiteral("tsy"), QStringLiteral("The tsy to time."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption noPeerOption(QStringLiteral("no-peer"), QStringLiteral("Leave buku out."));
    parser.addOptions({repetitionsOption, tsyOption, noPeerOption});
    parser.process(app);

    const qsizetype entries = parser.positionalArguments().value(0, QStringLiteral("100000")).toLongLong();
    const int repetitions = std::max(1, parser.value(repetitionsOption).toInt());
    const QString tsy = parser.isSet(tsyOption) ? parser.value(tsyOption)
                                                : QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");
    QTemporaryDir temp;
    if (entries < 10 || !temp.isValid() || !QFileInfo(tsy).isExecutable()) {
        std::fprintf(stderr, "bench_edits: need N >= 10, a temporary folder and tsy at %s\n", qPrintable(tsy));
        return 2;
    }
    const QString file = temp.filePath(QStringLiteral("bench.tsy"));
    StackFileGenerator::Settings settings;
    settings.entryCount = entries;
    settings.seed = 1;
    QString error;
    std::fprintf(stderr, "generating %lld entries...\n", static_cast<long long>(entries));
    if (!StackFileGenerator(settings).writeFile(file, &error)) {
        std::fprintf(stderr, "bench_edits: %s\n", qPrintable(error));
        return 1;
    }
    const QString buku = parser.isSet(noPeerOption) ? QString()
                                                    : QStandardPaths::findExecutable(QStringLiteral("buku"));
    const QString bukuHome = temp.filePath(QStringLiteral("bukuhome"));
    const QStringList bukuEnvironment {QStringLiteral("HOME=") + bukuHome,
                                       QStringLiteral("XDG_DATA_HOME=") + bukuHome + QStringLiteral("/data"),
                                       QStringLiteral("BUKU_DB=") + bukuHome + QStringLiteral("/bookmarks.db")};
    if (!buku.isEmpty()) {
        std::fprintf(stderr, "making buku's database...\n");
        if (!QDir().mkpath(bukuHome + QStringLiteral("/data/buku"))
            || !BenchRun::makeBukuDatabase(file, bukuHome + QStringLiteral("/data/buku/bookmarks.db"))) {
            std::fprintf(stderr, "bench_edits: buku's database could not be made\n");
            return 1;
        }
    }

    const QString middle = QString::number(entries / 2);
    const QString late = QString::number(entries - 3);
    const QStringList loading {QStringLiteral("TSY_LOAD_WHOLE_STORE=1")};
    int round = 0;
    const auto tsyStep = [&](QStringList arguments, const QStringList &environment = {}) {
        return [=, &round]() {
            QStringList command {tsy};
            for (const QString &argument : arguments)
                command << QString(argument).replace(QStringLiteral("#"), QString::number(round));
            return BenchRun::runProgram(command, environment);
        };
    };
    const QString add = QStringLiteral("add");
    std::vector<Step> steps {
        {"plain copy with fdatasync", [&] { return BenchRun::plainCopy(file, temp.filePath(QStringLiteral("copy.tsy"))); }},
        {"tsy add", tsyStep({add, file, QStringLiteral("https://new.example/#"), QStringLiteral("--title"),
                             QStringLiteral("New"), QStringLiteral("--group"), QStringLiteral("7")})},
        {"tsy edit --title", tsyStep({QStringLiteral("edit"), file, middle, QStringLiteral("--title"),
                                      QStringLiteral("Edited #")})},
        {"tsy rate", tsyStep({QStringLiteral("rate"), file, QStringLiteral("3"), QStringLiteral("12"), middle})},
        {"tsy remove", tsyStep({QStringLiteral("remove"), file, middle})},
        {"tsy move (a late entry to group 3: two reads)",
         tsyStep({QStringLiteral("move"), file, QStringLiteral("3"), late})},
        {"tsy group rename", tsyStep({QStringLiteral("group"), QStringLiteral("rename"), file,
                                      QStringLiteral("5"), QStringLiteral("Renamed #")})},
        {"tsy find", tsyStep({QStringLiteral("find"), file, QStringLiteral("kernel compiler")})},
        {"tsy add, loading the store", tsyStep({add, file, QStringLiteral("https://old.example/#"),
                                                QStringLiteral("--group"), QStringLiteral("7")},
                                               loading)},
        {"tsy find, loading the store",
         tsyStep({QStringLiteral("find"), file, QStringLiteral("kernel compiler")}, loading)},
    };
    if (!buku.isEmpty()) {
        steps.push_back({"buku add (one entry, no web fetch)", [&]() {
                             return BenchRun::runProgram({buku, QStringLiteral("--nostdin"), QStringLiteral("--tacit"),
                                                QStringLiteral("-a"),
                                                QStringLiteral("file:///bench/new-%1.html").arg(round),
                                                QStringLiteral("--title"), QStringLiteral("New")},
                                               bukuEnvironment);
                         }});
        steps.push_back({"buku search", [&]() {
                             return BenchRun::runProgram({buku, QStringLiteral("--nostdin"), QStringLiteral("--np"),
                                                QStringLiteral("--nc"), QStringLiteral("-s"),
                                                QStringLiteral("kernel compiler")},
                                               bukuEnvironment);
                         }});
    }
    for (round = 0; round < repetitions; ++round) {
        std::fprintf(stderr, "round %d of %d...\n", round + 1, repetitions);
        for (Step &step : steps) {
            const std::optional<Cost> cost = step.run();
            if (!cost) {
                std::fprintf(stderr, "bench_edits: %s failed\n", step.name);
                return 1;
            }
            step.best.keepBest(*cost);
        }
    }

    const auto costOf = [&](const char *name) -> const Cost * {
        for (const Step &step : steps) {
            if (qstrcmp(step.name, name) == 0)
                return &step.best;
        }
        return nullptr;
    };
    const Cost &copy = *costOf("plain copy with fdatasync");
    std::printf("Tessaly streamed edits benchmark, %s\n",
                qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)));
    std::printf("%lld entries, %.1f MiB; best of %d rounds; whole processes, output to /dev/null\n\n",
                static_cast<long long>(entries), double(QFileInfo(file).size()) / (1024.0 * 1024.0), repetitions);
    std::printf("%-46s %9s %9s %7s  %7s %7s  %-16s %s\n", "step", "wall ms", "CPU ms", "MiB", "wall", "CPU",
                "target", "met");
    QByteArrayList missed;
    printCost("plain copy with fdatasync", copy, nullptr, "", 0, missed);
    for (const char *name : {"tsy add", "tsy edit --title", "tsy rate", "tsy remove",
                             "tsy move (a late entry to group 3: two reads)", "tsy group rename"})
        printCost(name, *costOf(name), &copy, "<= 3x copy", editTarget, missed);
    printCost("tsy add, loading the store", *costOf("tsy add, loading the store"), &copy, "", 0, missed);
    printCost("tsy find", *costOf("tsy find"), &copy, "", 0, missed);
    printCost("tsy find, loading the store", *costOf("tsy find, loading the store"), &copy, "", 0, missed);
    const Cost &find = *costOf("tsy find");
    const bool memoryMet = find.peakMiB <= findMemoryTarget;
    std::printf("tsy find peak resident memory %.1f MiB  target <= %.0f MiB  %s\n", find.peakMiB, findMemoryTarget,
                memoryMet ? "yes" : "NO");
    if (!memoryMet)
        missed.append("find memory");
    if (buku.isEmpty()) {
        std::printf("\nbuku: not installed (or --no-peer), no ratios to the peer\n");
    } else {
        const Cost &bukuAdd = *costOf("buku add (one entry, no web fetch)");
        const Cost &bukuSearch = *costOf("buku search");
        std::printf("\n");
        printCost("buku add (one entry, no web fetch)", bukuAdd, nullptr, "", 0, missed);
        printCost("buku search", bukuSearch, nullptr, "", 0, missed);
        printCost("tsy add against buku add", *costOf("tsy add"), &bukuAdd, "<= 0.3x buku", addPeerTarget, missed);
        printCost("tsy find against buku search", find, &bukuSearch, "<= 0.5x buku", findPeerTarget, missed);
    }
    const QByteArray verdict = missed.isEmpty() ? QByteArray("all targets met")
                                                : QByteArray("targets missed: " + missed.join(", "));
    std::printf("\n%s\n", verdict.constData());
    return 0;
}
