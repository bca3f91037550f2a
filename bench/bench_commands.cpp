// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_commands: the tsy commands that work on a stack file, as whole
// processes at several sizes (10,000, 100,000 and 1,000,000 entries by
// default), beside the least a reader of the file (read it and split it into
// lines) and a rewriter of it (a plain copy with fdatasync) do, measured in
// the same run; and, when buku is installed, the peer's commands that do the
// same work on a database of the same entries. Each figure is the best of
// several rounds, the steps taken in turn in every round. At the end, the
// figures of every size in one table, ready for bench/README.md.

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
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using BenchRun::Cost;

namespace {

// Above this many entries the peer's import and export are left out: they
// take minutes a run.
constexpr qsizetype peerTransferLimit = 200000;

struct Step
{
    Step(QString stepName, std::function<bool()> before, std::function<std::optional<Cost>()> measured)
        : name(std::move(stepName))
        , prepare(std::move(before))
        , run(std::move(measured))
    { }

    QString name;
    std::function<bool()> prepare;  // outside the timing; may be empty
    std::function<std::optional<Cost>()> run;
    Cost best;
    bool done = true;
};

bool generate(const QString &path, qsizetype entries, quint32 seed)
{
    StackFileGenerator::Settings settings;
    settings.entryCount = entries;
    settings.seed = seed;
    QString error;
    if (StackFileGenerator(settings).writeFile(path, &error))
        return true;
    std::fprintf(stderr, "bench_commands: %s\n", qPrintable(error));
    return false;
}

// A fresh copy of the generated file for a command that changes it, and no
// backup of an earlier run.
bool freshCopy(const QString &from, const QString &to)
{
    QFile::remove(to);
    QFile::remove(QFileInfo(to).path() + u'/' + QFileInfo(to).completeBaseName() + QStringLiteral(".bak"));
    return QFile::copy(from, to);
}

// Everything measured at one size.
class SizeRun
{
public:
    SizeRun(const QString &folder, qsizetype entries, const QString &tsy, const QString &buku)
        : m_folder(folder)
        , m_entries(entries)
        , m_tsy(tsy)
        , m_buku(buku)
    { }

    bool setUp();
    bool measure(int rounds);
    void print() const;
    const std::vector<Step> &steps() const { return m_steps; }

private:
    QString file(const char *name) const { return m_folder + u'/' + QLatin1String(name); }
    void addLimits();
    void addTsy(const QString &name, const QStringList &arguments, bool changesWork = false);
    void addTsySteps();
    void addPeer(const QString &name, const std::function<QStringList()> &arguments,
                 std::function<bool()> prepare = {});
    void addPeerSteps();
    QStringList bukuEnvironment(const QString &home) const;
    QString middleKey() const { return QStringLiteral("%1").arg(m_entries / 2, 5, 10, QLatin1Char('0')); }

    const QString m_folder;
    const qsizetype m_entries;
    const QString m_tsy;
    const QString m_buku;
    std::vector<Step> m_steps;
    int m_round = 0;
};

bool SizeRun::setUp()
{
    std::fprintf(stderr, "generating %lld entries...\n", static_cast<long long>(m_entries));
    if (!QDir().mkpath(m_folder) || !generate(file("bench.tsy"), m_entries, 1)
        || !generate(file("small.tsy"), 100, 2))
        return false;
    // The bookmark file the imports read: the generated file's export.
    if (!BenchRun::runProgram({m_tsy, QStringLiteral("export-html"), file("bench.tsy"), file("export.html")}))
        return false;
    addLimits();
    addTsySteps();
    if (!m_buku.isEmpty()) {
        std::fprintf(stderr, "making buku's database...\n");
        const QString home = file("bukuhome");
        if (!QDir().mkpath(home + QStringLiteral("/data/buku"))
            || !BenchRun::makeBukuDatabase(file("bench.tsy"), home + QStringLiteral("/data/buku/bookmarks.db")))
            return false;
        // buku answers a question about a database it cannot find with an
        // error and status 0: the first record must print.
        const QString first = file("first.txt");
        if (!BenchRun::runProgram({m_buku, QStringLiteral("--nostdin"), QStringLiteral("--np"), QStringLiteral("--nc"),
                                   QStringLiteral("-p"), QStringLiteral("1")},
                                  bukuEnvironment(home), first)
            || QFileInfo(first).size() == 0) {
            std::fprintf(stderr, "bench_commands: buku does not see its database\n");
            return false;
        }
        addPeerSteps();
    }
    return true;
}

void SizeRun::addLimits()
{
    m_steps.push_back({QStringLiteral("limit: read and split lines"), {},
                       [this] { return BenchRun::readAndSplit(file("bench.tsy")); }});
    m_steps.push_back({QStringLiteral("limit: plain copy with fdatasync"), {},
                       [this] { return BenchRun::plainCopy(file("bench.tsy"), file("copy.tsy")); }});
}

void SizeRun::addTsy(const QString &name, const QStringList &arguments, bool changesWork)
{
    const QString input = file("bench.tsy");
    const QString work = file("work.tsy");
    std::function<bool()> prepare;
    if (changesWork)
        prepare = [input, work] { return freshCopy(input, work); };
    const QStringList command = QStringList {m_tsy} + arguments;
    m_steps.push_back({QStringLiteral("tsy ") + name, prepare, [command] { return BenchRun::runProgram(command); }});
}

void SizeRun::addTsySteps()
{
    const QString input = file("bench.tsy");
    const QString work = file("work.tsy");
    const QString key = middleKey();
    addTsy(QStringLiteral("list --all"), {QStringLiteral("list"), input, QStringLiteral("--all")});
    addTsy(QStringLiteral("list --all --sort title"),
           {QStringLiteral("list"), input, QStringLiteral("--all"), QStringLiteral("--sort"), QStringLiteral("title")});
    addTsy(QStringLiteral("dump"), {QStringLiteral("dump"), input});
    addTsy(QStringLiteral("find"), {QStringLiteral("find"), input, QStringLiteral("kernel compiler")});
    addTsy(QStringLiteral("normalize"), {QStringLiteral("normalize"), input, file("normal.tsy")});
    addTsy(QStringLiteral("export-html"), {QStringLiteral("export-html"), input, file("out.html")});
    const QString imported = file("imported.tsy");
    m_steps.push_back({QStringLiteral("tsy import-html (into a new file)"),
                       [imported] {
                           QFile::remove(imported);
                           return !QFile::exists(imported);
                       },
                       [this, imported] {
                           return BenchRun::runProgram(
                               {m_tsy, QStringLiteral("import-html"), imported, file("export.html")});
                       }});
    addTsy(QStringLiteral("merge (100 entries in)"), {QStringLiteral("merge"), work, file("small.tsy")}, true);
    addTsy(QStringLiteral("add"),
           {QStringLiteral("add"), work, QStringLiteral("https://new.example/"), QStringLiteral("--title"),
            QStringLiteral("New"), QStringLiteral("--group"), QStringLiteral("3")},
           true);
    addTsy(QStringLiteral("edit --title"), {QStringLiteral("edit"), work, key, QStringLiteral("--title"),
                                            QStringLiteral("Renamed")},
           true);
    addTsy(QStringLiteral("remove"), {QStringLiteral("remove"), work, key}, true);
    addTsy(QStringLiteral("rate"), {QStringLiteral("rate"), work, QStringLiteral("3"), key}, true);
    addTsy(QStringLiteral("move"), {QStringLiteral("move"), work, QStringLiteral("3"), key}, true);
    addTsy(QStringLiteral("group add"), {QStringLiteral("group"), QStringLiteral("add"), work, QStringLiteral("Added by the benchmark")},
           true);
    addTsy(QStringLiteral("group rename"),
           {QStringLiteral("group"), QStringLiteral("rename"), work, QStringLiteral("5"), QStringLiteral("Renamed")},
           true);
}

QStringList SizeRun::bukuEnvironment(const QString &home) const
{
    return {QStringLiteral("HOME=") + home, QStringLiteral("XDG_DATA_HOME=") + home + QStringLiteral("/data")};
}

void SizeRun::addPeer(const QString &name, const std::function<QStringList()> &arguments,
                      std::function<bool()> prepare)
{
    const QString home = file("bukuhome");
    m_steps.push_back({QStringLiteral("buku ") + name, std::move(prepare), [this, home, arguments] {
                           return BenchRun::runProgram(QStringList {m_buku, QStringLiteral("--nostdin"),
                                                                    QStringLiteral("--tacit"), QStringLiteral("--nc")}
                                                           + arguments(),
                                                       bukuEnvironment(home));
                       }});
}

void SizeRun::addPeerSteps()
{
    // Each round changes other records, so that none is asked for twice.
    const auto record = [this] { return QString::number(m_entries / 2 + m_round); };
    addPeer(QStringLiteral("print all (-p)"), [] { return QStringList {QStringLiteral("--np"), QStringLiteral("-p")}; });
    addPeer(QStringLiteral("search (-s)"), [] {
        return QStringList {QStringLiteral("--np"), QStringLiteral("-s"), QStringLiteral("kernel compiler")};
    });
    addPeer(QStringLiteral("add (-a, no web fetch)"), [this] {
        return QStringList {QStringLiteral("-a"), QStringLiteral("file:///bench/new-%1.html").arg(m_round),
                            QStringLiteral("--title"), QStringLiteral("New")};
    });
    addPeer(QStringLiteral("update title (-u)"), [record] {
        return QStringList {QStringLiteral("-u"), record(), QStringLiteral("--title"), QStringLiteral("Renamed")};
    });
    addPeer(QStringLiteral("delete (-d)"), [record] { return QStringList {QStringLiteral("-d"), record()}; });
    if (m_entries > peerTransferLimit)
        return;
    addPeer(QStringLiteral("export (-e)"), [this] { return QStringList {QStringLiteral("-e"), file("peer.html")}; },
            [this] {
                QFile::remove(file("peer.html"));
                return true;
            });
    const QString importHome = file("bukuimport");
    m_steps.push_back({QStringLiteral("buku import (-i, into a new database)"),
                       [importHome] {
                           QDir(importHome).removeRecursively();
                           return QDir().mkpath(importHome + QStringLiteral("/data/buku"));
                       },
                       [this, importHome] {
                           return BenchRun::runProgram({m_buku, QStringLiteral("--nostdin"), QStringLiteral("--tacit"),
                                                        QStringLiteral("-i"), file("export.html")},
                                                       bukuEnvironment(importHome));
                       }});
}

bool SizeRun::measure(int rounds)
{
    for (m_round = 0; m_round < rounds; ++m_round) {
        std::fprintf(stderr, "%lld entries, round %d of %d...\n", static_cast<long long>(m_entries), m_round + 1,
                     rounds);
        for (Step &step : m_steps) {
            if (step.prepare && !step.prepare()) {
                std::fprintf(stderr, "bench_commands: could not prepare %s\n", qPrintable(step.name));
                return false;
            }
            const std::optional<Cost> cost = step.run();
            if (!cost) {
                std::fprintf(stderr, "bench_commands: %s failed\n", qPrintable(step.name));
                step.done = false;
                continue;
            }
            step.best.keepBest(*cost);
        }
    }
    return true;
}

void SizeRun::print() const
{
    const Cost &split = m_steps[0].best;
    const Cost &copy = m_steps[1].best;
    std::printf("\n%lld entries, %.1f MiB\n", static_cast<long long>(m_entries),
                double(QFileInfo(m_folder + QStringLiteral("/bench.tsy")).size()) / (1024.0 * 1024.0));
    std::printf("%-40s %10s %10s %9s %12s %10s\n", "step", "wall ms", "CPU ms", "peak MiB", "x read+split",
                "x copy");
    for (const Step &step : m_steps) {
        if (!step.done) {
            std::printf("%-40s %10s\n", qPrintable(step.name), "failed");
            continue;
        }
        std::printf("%-40s %10.1f %10.1f %9.1f %11.2fx %9.2fx\n", qPrintable(step.name), step.best.wallMs,
                    step.best.cpuMs, step.best.peakMiB, step.best.wallMs / split.wallMs,
                    step.best.wallMs / copy.wallMs);
    }
    std::fflush(stdout);
}

// One table of every size: wall ms and the multiple of the plain copy.
void printSummary(const std::vector<qsizetype> &sizes, const std::vector<std::vector<Step>> &runs)
{
    std::printf("\n| step |");
    for (qsizetype size : sizes)
        std::printf(" %lld entries: ms (x copy) |", static_cast<long long>(size));
    std::printf("\n|---|");
    for (size_t i = 0; i < sizes.size(); ++i)
        std::printf("---|");
    std::printf("\n");
    std::vector<QString> names;
    for (const std::vector<Step> &steps : runs) {
        for (const Step &step : steps) {
            if (std::find(names.begin(), names.end(), step.name) == names.end())
                names.push_back(step.name);
        }
    }
    for (const QString &name : names) {
        std::printf("| %s |", qPrintable(name));
        for (const std::vector<Step> &steps : runs) {
            const auto found = std::find_if(steps.begin(), steps.end(), [&](const Step &step) { return step.name == name; });
            if (found == steps.end() || !found->done)
                std::printf(" — |");
            else
                std::printf(" %.0f (%.2fx) |", found->best.wallMs, found->best.wallMs / steps[1].best.wallMs);
        }
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = BenchRun::runAsMeasuringProcess(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Whole-process times of the tsy commands that work on a stack file, at several sizes, beside\n"
        "reading the file and splitting it into lines and a plain copy of it with fdatasync, and the\n"
        "peer's (buku's) commands on a database of the same entries when buku is installed."));
    parser.addHelpOption();
    const QCommandLineOption sizesOption(QStringLiteral("sizes"),
                                         QStringLiteral("Entries, comma-separated (default 10000,100000,1000000)."),
                                         QStringLiteral("LIST"), QStringLiteral("10000,100000,1000000"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"), QStringLiteral("Rounds (default 3)."),
                                          QStringLiteral("R"), QStringLiteral("3"));
    const QCommandLineOption tsyOption(QStringLiteral("tsy"), QStringLiteral("The tsy to time."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption noPeerOption(QStringLiteral("no-peer"), QStringLiteral("Leave buku out."));
    parser.addOptions({sizesOption, roundsOption, tsyOption, noPeerOption});
    parser.process(app);

    std::vector<qsizetype> sizes;
    for (const QString &size : parser.value(sizesOption).split(u',', Qt::SkipEmptyParts))
        sizes.push_back(size.toLongLong());
    const int rounds = std::max(1, parser.value(roundsOption).toInt());
    const QString tsy = parser.isSet(tsyOption) ? parser.value(tsyOption)
                                                : QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");
    const QString buku = parser.isSet(noPeerOption) ? QString()
                                                    : QStandardPaths::findExecutable(QStringLiteral("buku"));
    QTemporaryDir temp;
    if (sizes.empty() || *std::min_element(sizes.begin(), sizes.end()) < 10 || !temp.isValid()
        || !QFileInfo(tsy).isExecutable()) {
        std::fprintf(stderr, "bench_commands: need sizes >= 10, a temporary folder and tsy at %s\n",
                     qPrintable(tsy));
        return 2;
    }
    std::printf("Tessaly commands benchmark, %s; best of %d rounds; whole processes, output to /dev/null\n",
                qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)), rounds);
    std::printf("peer: %s\n", buku.isEmpty() ? "buku not installed (or --no-peer): left out"
                                             : qPrintable(QStringLiteral("buku at ") + buku));
    std::vector<std::vector<Step>> runs;
    for (qsizetype size : sizes) {
        SizeRun run(temp.filePath(QString::number(size)), size, tsy, buku);
        if (!run.setUp() || !run.measure(rounds))
            return 1;
        run.print();
        runs.push_back(run.steps());
        QDir(temp.filePath(QString::number(size))).removeRecursively();
    }
    printSummary(sizes, runs);
    return 0;
}
