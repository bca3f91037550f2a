// bench_edits: whole-process times of the tsy commands that change a few
// entries (add, edit, rate, remove, move, group rename) and of tsy find on a
// generated stack file, each streamed and, for comparison in the same run,
// with the whole store loaded (TSY_LOAD_WHOLE_STORE), against a plain copy
// of the file with fdatasync; and, when buku is installed, against buku's
// one-entry add and search on a database of the same entries. Each figure
// is the best of several rounds, the steps taken in turn in every round.

#include "BenchFigures.h"
#include "StackFileGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <optional>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr double editTarget = 3.0;        // x the copy
constexpr double addPeerTarget = 0.3;     // x buku's add
constexpr double findPeerTarget = 0.5;    // x buku's search
constexpr double findMemoryTarget = 100;  // MiB

// What one run of a program cost.
struct Cost
{
    double wallMs = std::numeric_limits<double>::infinity();
    double cpuMs = std::numeric_limits<double>::infinity();
    double peakMiB = 0;

    void keepBest(const Cost &run)
    {
        wallMs = std::min(wallMs, run.wallMs);
        cpuMs = std::min(cpuMs, run.cpuMs);
        peakMiB = std::max(peakMiB, run.peakMiB);
    }
};

double msOf(const timeval &t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

// The hidden mode --measure-child RESULT PROGRAM ARGS...: runs the program
// and writes its wall time, CPU time (ms) and peak resident memory (KiB)
// into RESULT. The peak must be taken from a process that has never been
// large: a child started straight from this benchmark, which holds the
// generated file and the plain copy's buffer, inherits the benchmark's peak
// on exec, so the program is run as a grandchild of this small process.
int measureChild(char *resultPath, char **command)
{
    timespec start = {}, end = {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (posix_spawn(&pid, command[0], nullptr, nullptr, command, environ) != 0)
        return 1;
    int status = 0;
    rusage usage = {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double wallMs = double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    FILE *result = std::fopen(resultPath, "w");
    if (!result)
        return 1;
    std::fprintf(result, "%f %f %ld\n", wallMs, msOf(usage.ru_utime) + msOf(usage.ru_stime), usage.ru_maxrss);
    std::fclose(result);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

QString resultPath;  // --measure-child's RESULT

// Runs a program with its output to /dev/null, through --measure-child; its
// wall time, CPU time (user and system) and peak resident memory, or nothing
// when it failed.
std::optional<Cost> runProgram(const QStringList &program, const QStringList &environment)
{
    const QStringList command = QStringList {QCoreApplication::applicationFilePath(),
                                             QStringLiteral("--measure-child"), resultPath}
        + program;
    std::vector<QByteArray> arguments;
    for (const QString &argument : command)
        arguments.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> variables;
    for (char **variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    for (const QString &variable : environment)
        variables.push_back(variable.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    QFile result(resultPath);
    if (!result.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> figures = result.readAll().simplified().split(' ');
    if (figures.size() != 3)
        return std::nullopt;
    Cost cost;
    cost.wallMs = figures[0].toDouble();
    cost.cpuMs = figures[1].toDouble();
    cost.peakMiB = figures[2].toDouble() / 1024.0;
    return cost;
}

// A plain copy: read into fresh memory, one write, fdatasync, rename.
std::optional<Cost> plainCopy(const QString &from, const QString &to)
{
    QElapsedTimer timer;
    timer.start();
    rusage before = {};
    getrusage(RUSAGE_SELF, &before);
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    const off_t size = in >= 0 ? ::lseek(in, 0, SEEK_END) : -1;
    if (size < 0 || ::lseek(in, 0, SEEK_SET) != 0)
        return std::nullopt;
    const size_t length = size_t(std::max<off_t>(size, 1));
    void *const buffer = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const QByteArray part = QFile::encodeName(to + QStringLiteral(".part"));
    const int out = ::open(part.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool copied = buffer != MAP_FAILED && out >= 0 && ::read(in, buffer, size_t(size)) == size
        && ::write(out, buffer, size_t(size)) == size && ::fdatasync(out) == 0;
    copied = ::close(out) == 0 && copied
        && std::rename(part.constData(), QFile::encodeName(to).constData()) == 0;
    ::close(in);
    if (buffer != MAP_FAILED)
        ::munmap(buffer, length);
    if (!copied)
        return std::nullopt;
    rusage after = {};
    getrusage(RUSAGE_SELF, &after);
    Cost cost;
    cost.wallMs = double(timer.nsecsElapsed()) / 1e6;
    cost.cpuMs = msOf(after.ru_utime) + msOf(after.ru_stime) - msOf(before.ru_utime) - msOf(before.ru_stime);
    return cost;
}

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

// A buku database of the file's entries (address and title; an address
// once), made with Python's sqlite3 in buku's own table.
bool makeBukuDatabase(const QString &stackFile, const QString &database)
{
    const QString script = QStringLiteral(
        "import sqlite3, sys\n"
        "db = sqlite3.connect(sys.argv[2])\n"
        "db.execute(\"CREATE TABLE if not exists bookmarks (id integer PRIMARY KEY, URL text NOT NULL UNIQUE, "
        "metadata text default '', tags text default ',', desc text default '', flags integer default 0)\")\n"
        "rows = []\n"
        "for line in open(sys.argv[1], 'rb'):\n"
        "    fields = line.rstrip(b'\\r\\n').split(b'\\x05')\n"
        "    if len(fields) == 7:\n"
        "        rows.append((fields[0].decode('utf-8', 'replace'), fields[1].decode('utf-8', 'replace')))\n"
        "db.executemany(\"INSERT OR IGNORE INTO bookmarks(URL, metadata, tags, desc, flags) "
        "VALUES (?, ?, ',', '', 0)\", rows)\n"
        "db.commit()\n");
    return runProgram({QStringLiteral("/usr/bin/python3"), QStringLiteral("-c"), script, stackFile, database}, {})
        .has_value();
}

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
    if (argc > 3 && std::strcmp(argv[1], "--measure-child") == 0)
        return measureChild(argv[2], argv + 3);
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
    resultPath = temp.filePath(QStringLiteral("measured"));
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
            || !makeBukuDatabase(file, bukuHome + QStringLiteral("/data/buku/bookmarks.db"))) {
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
            return runProgram(command, environment);
        };
    };
    const QString add = QStringLiteral("add");
    std::vector<Step> steps {
        {"plain copy with fdatasync", [&] { return plainCopy(file, temp.filePath(QStringLiteral("copy.tsy"))); }},
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
                             return runProgram({buku, QStringLiteral("--nostdin"), QStringLiteral("--tacit"),
                                                QStringLiteral("-a"),
                                                QStringLiteral("file:///bench/new-%1.html").arg(round),
                                                QStringLiteral("--title"), QStringLiteral("New")},
                                               bukuEnvironment);
                         }});
        steps.push_back({"buku search", [&]() {
                             return runProgram({buku, QStringLiteral("--nostdin"), QStringLiteral("--np"),
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
