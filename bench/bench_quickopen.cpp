// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_quickopen: quick open's search over a generated store of N entries
// (default 100,000): the index built from the store, and each keystroke of
// realistic searches typed letter by letter, both through the index alone
// and through the search window (offscreen), from the field's new text to
// its list filled.

#include "DayCount.h"
#include "QuickOpenIndex.h"
#include "QuickOpenPopup.h"
#include "StackFile.h"
#include "StackFileGenerator.h"
#include "URLBlock.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <limits>
#include <vector>

#ifndef TESSALY_BENCH_BUILD_TYPE
#define TESSALY_BENCH_BUILD_TYPE "unknown"
#endif

namespace {

constexpr double keystrokeTargetMs = 30.0;
constexpr size_t shownMatches = 100;

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1.0e6;
}

// The processor time this thread has used, in ms: on a machine that other
// work keeps busy, the wall time of a step is longer than its work.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1.0e3 + double(now.tv_nsec) / 1.0e6;
}

// Searches as a user types them: two words of a title in the middle of the
// store, a word and a part of an address, and a word that matches nothing.
QStringList searches(const URLBlock &store)
{
    const URLDatas &entries = store.urlDatas();
    const URLData *middle = entries.Item(entries.Count() / 2 + 1);
    const QStringList titleWords = middle->Name.split(u' ', Qt::SkipEmptyParts);
    const QString host = QUrl(middle->url).host();
    return {titleWords.mid(0, 2).join(u' '), titleWords.value(0) + u' ' + host.left(6), QStringLiteral("zqxjv")};
}

struct Keystrokes
{
    double worst = 0;
    double total = 0;
    double worstCpu = 0;
    int count = 0;
};

// Each prefix of each search, in turn, through search (which returns the
// matches' count); the worst and mean time of a keystroke.
Keystrokes typeLetterByLetter(const QStringList &texts, const std::function<qsizetype(const QString &)> &search)
{
    Keystrokes times;
    for (const QString &text : texts) {
        std::printf("  typing \"%s\":", qPrintable(text));
        for (qsizetype length = 1; length <= text.size(); ++length) {
            QElapsedTimer timer;
            timer.start();
            const double cpu = threadCpuMs();
            const qsizetype found = search(text.left(length));
            const double ms = elapsedMs(timer);
            times.worstCpu = std::max(times.worstCpu, threadCpuMs() - cpu);
            times.worst = std::max(times.worst, ms);
            times.total += ms;
            ++times.count;
            if (length == text.size())
                std::printf(" %lld found", static_cast<long long>(found));
        }
        std::printf("\n");
    }
    return times;
}

void printKeystrokes(const char *step, const Keystrokes &times, bool &met)
{
    // Judged by the processor time: the work of a keystroke, which is its
    // wall time on a machine that nothing else keeps busy.
    const bool ok = times.worstCpu <= keystrokeTargetMs;
    met = met && ok;
    std::printf("%-22s worst %6.2f ms (processor %6.2f ms), mean %6.2f ms, %d keystrokes  <= %.0f ms: %s\n", step,
                times.worst, times.worstCpu, times.total / std::max(1, times.count), times.count, keystrokeTargetMs,
                ok ? "yes" : "NO");
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption entriesOption(QStringLiteral("entries"), QStringLiteral("Entries (default 100000)."),
                                           QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption repetitionsOption(QStringLiteral("repetitions"),
                                               QStringLiteral("Runs of the index build (default 5)."),
                                               QStringLiteral("R"), QStringLiteral("5"));
    parser.addOptions({entriesOption, repetitionsOption});
    parser.process(app);

    StackFileGenerator::Settings settings;
    settings.entryCount = std::max<qsizetype>(1, parser.value(entriesOption).toLongLong());
    const int repetitions = std::max(1, parser.value(repetitionsOption).toInt());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tsy"));
    QString error;
    URLBlock store;
    if (!StackFileGenerator(settings).writeFile(path, &error)
        || !StackFile::loadStackFile(store, path, false, DayCount::now(), &error)) {
        std::fprintf(stderr, "bench_quickopen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("bench_quickopen (%s build): %lld entries in %d groups\n\n", TESSALY_BENCH_BUILD_TYPE,
                static_cast<long long>(store.urlDatas().Count()), settings.groupCount);

    QuickOpenIndex index;
    double best = std::numeric_limits<double>::max();
    double bestCpu = best;
    for (int run = 0; run <= repetitions; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        index.build(store.urlDatas(), DayCount::now());
        const double ms = elapsedMs(timer);
        // The first build also makes the folding table, once per process.
        if (run == 0) {
            std::printf("%-22s %7.2f ms (processor %7.2f ms)\n", "first index build", ms, threadCpuMs() - cpu);
            continue;
        }
        best = std::min(best, ms);
        bestCpu = std::min(bestCpu, threadCpuMs() - cpu);
    }
    std::printf("%-22s %7.2f ms (processor %7.2f ms; best of %d; once per change of the store)\n\n", "index build",
                best, bestCpu, repetitions);

    const QStringList texts = searches(store);
    bool met = true;
    std::printf("the index alone, the best %zu of the matches:\n", shownMatches);
    printKeystrokes("  index",
                    typeLetterByLetter(texts, [&index](const QString &text) {
                        return index.search(text, shownMatches).total;
                    }),
                    met);

    // The window's search as the main window runs it: the index, then each
    // shown entry looked up in the store.
    QuickOpenPopup popup([&](const QString &text) {
        const QuickOpenIndex::Matches matches = index.search(text, shownMatches);
        QuickOpenPopup::Found found;
        found.total = matches.total;
        const URLDatas &entries = store.urlDatas();
        for (const quint32 key : matches.keys) {
            const URLData *entry = entries.Item(entries.positionOfKey(key));
            found.rows.push_back({key, entry->Name, entry->url, store.IDXList().nameOf(entry->Owner)});
        }
        return found;
    });
    popup.show();
    auto *field = popup.findChild<QLineEdit *>(QStringLiteral("txtQuickOpen"));
    auto *results = popup.findChild<QTreeWidget *>(QStringLiteral("twQuickOpen"));
    std::printf("the search window, from the field's text to its list filled:\n");
    printKeystrokes("  window",
                    typeLetterByLetter(texts, [field, results](const QString &text) {
                        field->setText(text);
                        QCoreApplication::processEvents();
                        return qsizetype(results->topLevelItemCount());
                    }),
                    met);
    std::printf("\n%s\n", met ? "every target met" : "a target was missed");
    return 0;
}
