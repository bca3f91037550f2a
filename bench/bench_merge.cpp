// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Times the merge of a large browser bookmark file into an empty store and
// its save, through the library's merge object as the program and tsy run it;
// the whole tsy import-html of the file into a new stack file against reading
// the file and writing the stack file's bytes; and, when buku is installed,
// buku's import of the same file.

#include "BenchFigures.h"
#include "BenchRun.h"
#include "ComponentRegistry.h"
#include "DayCount.h"
#include "MergeTarget.h"
#include "StackFile.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int linkCount = 50000;
constexpr int folderCount = 100;

// The host window's file dialog, answering with the generated file.
class FileChoice : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DialogTitle MEMBER m_unused)
    Q_PROPERTY(QString Filter MEMBER m_unused)
    Q_PROPERTY(bool CancelError MEMBER m_cancel)
    Q_PROPERTY(QString FileName MEMBER m_fileName)

public:
    FileChoice(const QString &file, QObject *form)
        : QObject(form)
        , m_file(file)
    {
        setObjectName(QStringLiteral("dlgDialog"));
    }
    Q_INVOKABLE bool ShowOpen()
    {
        m_fileName = m_file;
        return true;
    }

private:
    QString m_file, m_unused, m_fileName;
    bool m_cancel = false;
};

QByteArray word(QRandomGenerator &random)
{
    static const char *const words[] = {"news",   "guide",  "linux",   "recipes", "travel", "music", "review",
                                        "garden", "python", "weather", "forum",   "maps",   "bank",  "docs"};
    return words[random.bounded(int(std::size(words)))];
}

// A Firefox-shaped export: LF line ends, four blanks a level, every folder
// at the top level, links with ADD_DATE, LAST_MODIFIED and half of them
// with a favicon as data.
QByteArray bookmarkFile()
{
    QRandomGenerator random(42);
    QByteArray text
        = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
          "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n\n<DL><p>\n";
    QByteArray icon(40, 'A');
    for (int folder = 0; folder < folderCount; ++folder) {
        text += "    <DT><H3 ADD_DATE=\"1600000000\" LAST_MODIFIED=\"1700000000\">Folder "
            + QByteArray::number(folder) + " &amp; " + word(random) + "</H3>\n    <DL><p>\n";
        for (int i = 0; i < linkCount / folderCount; ++i) {
            for (char &c : icon)
                c = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[random.bounded(64)];
            const QByteArray date = QByteArray::number(1500000000 + random.bounded(200000000));
            text += "        <DT><A HREF=\"https://www." + word(random)
                + QByteArray::number(random.bounded(3000)) + ".example/" + word(random) + '/' + word(random)
                + '/' + QByteArray::number(random.bounded(100000)) + "\" ADD_DATE=\"" + date
                + "\" LAST_MODIFIED=\"" + date + '"'
                + (random.bounded(2) ? " ICON=\"data:image/png;base64,iVBORw0KGgo" + icon + "=\""
                                     : QByteArray())
                + '>' + word(random) + ' ' + word(random) + " &amp; " + word(random) + " \xe2\x80\x94 "
                + word(random) + "</A>\n";
        }
        text += "    </DL><p>\n";
    }
    return text + "</DL>\n";
}

struct Result
{
    double mergeMs = 0;
    double saveMs = 0;
    qsizetype entries = 0;
};

Result mergeAndSave(const QString &file, const QString &out)
{
    QString error;
    std::unique_ptr<QObject> mb(
        ComponentRegistry::createObject(QStringLiteral("Pemberly.mergeBrow"), nullptr, &error));
    if (!mb)
        qFatal("%s", qPrintable(error));
    QObject form;
    new FileChoice(file, &form);
    mb->setProperty("thisForm", QVariant::fromValue(&form));
    URLBlock store;
    MergeTarget target(store, DayCount::now(), mb.get());
    ComponentRegistry::connectEventsByName(mb.get(), &target, QStringLiteral("mb"));
    QElapsedTimer timer;
    timer.start();
    QMetaObject::invokeMethod(mb.get(), "OpenNSAs", Q_ARG(bool, true));
    Result result;
    result.mergeMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    if (!StackFile::saveStackFile(store, out, &error))
        qFatal("%s", qPrintable(error));
    result.saveMs = double(timer.nsecsElapsed()) / 1e6;
    result.entries = store.urlDatas().Count();
    return result;
}

// An environment whose home, configuration (the registry hives) and data
// lie in folder.
QProcessEnvironment homeIn(const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), folder);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder + QStringLiteral("/data"));
    return environment;
}

// buku's import into a database of its own in a temporary home; -1 when it failed.
double bukuMs(const QString &buku, const QString &file, const QString &home)
{
    QFile::remove(home + QStringLiteral("/bookmarks.db"));
    QProcessEnvironment environment = homeIn(home);
    environment.insert(QStringLiteral("BUKU_DB"), home + QStringLiteral("/bookmarks.db"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    // --tacit answers buku's questions; --nostdin keeps it from waiting for input.
    process.start(buku,
                  {QStringLiteral("--nostdin"), QStringLiteral("--tacit"), QStringLiteral("--import"), file});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = BenchRun::runAsMeasuringProcess(argc, argv))
        return *status;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Merges a generated browser bookmark file of 50,000 links into an empty store in process, and\n"
        "times the whole tsy import-html of it into a new file against reading the file and writing\n"
        "the stack file's bytes, and against buku's import when buku is installed."));
    parser.addHelpOption();
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"),
                                               QStringLiteral("Runs (default 5)."), QStringLiteral("R"),
                                               QStringLiteral("5"));
    const QCommandLineOption tsyOption(QStringLiteral("tsy"),
                                       QStringLiteral("The tsy to time (default: beside this program)."),
                                       QStringLiteral("PATH"));
    const QCommandLineOption bukuOption(QStringLiteral("buku-runs"),
                                        QStringLiteral("Runs of buku (default 1, 0 skips it)."),
                                        QStringLiteral("B"), QStringLiteral("1"));
    const QCommandLineOption writeOption(QStringLiteral("write"),
                                         QStringLiteral("Only write the bookmark file to FILE."),
                                         QStringLiteral("FILE"));
    parser.addOptions({repetitionsOption, tsyOption, bukuOption, writeOption});
    parser.process(app);
    const QByteArray text = bookmarkFile();
    if (parser.isSet(writeOption))
        return writeBytes(parser.value(writeOption), text) ? 0 : 1;
    const int repetitions = std::max(1, parser.value(repetitionsOption).toInt());
    const int bukuRuns = std::max(0, parser.value(bukuOption).toInt());
    const QString tsy = parser.isSet(tsyOption) ? parser.value(tsyOption)
                                                : QCoreApplication::applicationDirPath() + QStringLiteral("/tsy");

    QTemporaryDir dir;
    // The registry of the component loading lives in the temporary folder too.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    const QString file = dir.filePath(QStringLiteral("bookmarks.html"));
    if (!writeBytes(file, text))
        qFatal("cannot write %s", qPrintable(file));
    std::printf("bench_merge (%s build): %d links in %d folders, %.1f MB; best of %d runs\n\n",
                TESSALY_BENCH_BUILD_TYPE, linkCount, folderCount, double(text.size()) / 1e6, repetitions);

    // The bytes an import writes: the stack file of an in-process merge.
    const QString merged = dir.filePath(QStringLiteral("merged.tsy"));
    mergeAndSave(file, merged);
    const QByteArray stackBytes = readBytes(merged);
    const QString imported = dir.filePath(QStringLiteral("imported.tsy"));
    const QString importedBackup = dir.filePath(QStringLiteral("imported.bak"));
    const QStringList tsyHome = homeIn(dir.filePath(QStringLiteral("tsyhome"))).toStringList();
    const QString output = dir.filePath(QStringLiteral("out.txt"));

    Result best {1e9, 1e9, 0};
    double baseline = 1e9;
    BenchRun::Cost import;
    for (int i = 0; i < repetitions; ++i) {
        const std::optional<BenchRun::Cost> copy
            = BenchRun::readAndWrite(file, QByteArrayView(stackBytes), dir.filePath(QStringLiteral("copy.tsy")));
        QFile::remove(imported);
        QFile::remove(importedBackup);
        const std::optional<BenchRun::Cost> run
            = BenchRun::runProgram({tsy, QStringLiteral("import-html"), imported, file}, tsyHome, output);
        if (!copy || !run || readBytes(imported) != stackBytes) {
            std::fprintf(stderr, "bench_merge: a run failed, or tsy wrote other bytes than the merge\n");
            return 1;
        }
        baseline = std::min(baseline, copy->wallMs);
        import.keepBest(*run);
        const Result inProcess = mergeAndSave(file, merged);
        best.mergeMs = std::min(best.mergeMs, inProcess.mergeMs);
        best.saveMs = std::min(best.saveMs, inProcess.saveMs);
        best.entries = inProcess.entries;
    }
    const double total = best.mergeMs + best.saveMs;
    QByteArrayList missed;
    std::printf("%-44s %10s  %9s  %-22s %s\n", "step", "best ms", "ratio", "target", "met");
    BenchFigures::printRatio("in process: merge into an empty store", best.mergeMs, 0, "", 0, missed);
    BenchFigures::printRatio("in process: save of the stack file", best.saveMs, 0, "", 0, missed);
    BenchFigures::printRatio("in process: merge and save", total, 0, "", 0, missed);
    BenchFigures::printRatio("read the file, write the stack file's bytes", baseline, 0, "", 0, missed);
    BenchFigures::printRatio("tsy import-html into a new file", import.wallMs, baseline, "<= 3x read and write",
                             3.0, missed);
    BenchFigures::printRatio("  its CPU time (info)", import.cpuMs, baseline, "", 0, missed);
    std::printf("(%lld entries; in process: target under 200 ms, %s)\n", static_cast<long long>(best.entries),
                total < 200 ? "met" : "NOT met");
    if (total >= 200)
        missed.append("in-process merge and save");

    const QString buku = QStandardPaths::findExecutable(QStringLiteral("buku"));
    if (bukuRuns == 0 || buku.isEmpty()) {
        std::printf("\nbuku: %s, no ratio\n", buku.isEmpty() ? "not installed" : "skipped");
    } else {
        double bukuTime = 1e12;
        for (int i = 0; i < bukuRuns; ++i) {
            std::fprintf(stderr, "running buku --import (%d of %d)...\n", i + 1, bukuRuns);
            const double ms = bukuMs(buku, file, dir.filePath(QStringLiteral("bukuhome")));
            if (ms < 0) {
                std::printf("\nbuku --import: failed, no ratio\n");
                return 1;
            }
            bukuTime = std::min(bukuTime, ms);
        }
        std::printf("\n");
        BenchFigures::printRatio("buku --import (best of its runs)", bukuTime, 0, "", 0, missed);
        const double ratio = bukuTime / import.wallMs;
        const bool met = ratio >= 100;
        std::printf("%-44s %10s  %8.0fx  %-22s %s\n", "buku / tsy import-html", "", ratio, ">= 100x",
                    met ? "yes" : "NO");
        if (!met)
            missed.append("against buku");
    }
    std::printf("\n%s\n", missed.isEmpty() ? "all targets met"
                                           : QByteArray("targets missed: " + missed.join(", ")).constData());
    return missed.isEmpty() ? 0 : 1;
}

#include "bench_merge.moc"
