// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// bench_mainwindow: drives the real main window offscreen on a default stack
// file of N entries (default 100,000) and compares its load and one refill
// of the entry list, every filter on, with the core's own load and filter
// pass measured in the same run. Each time is the best of several runs.
// Then fresh processes of this program (--tray-click) each start the tray
// and click it once: the time until the main window has painted its list,
// and how long the tray could not answer meanwhile (see TrayClickProbe);
// with --x11 they run on the X display of the environment instead of
// offscreen.

#include "AdvancedView.h"
#include "AppState.h"
#include "DayCount.h"
#include "EntryFilter.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "IndexPanel.h"
#include "MainWindow.h"
#include "MemoryRelease.h"
#include "Prompter.h"
#include "SilentPrompter.h"
#include "Registry.h"
#include "StackFile.h"
#include "BenchFigures.h"
#include "StackFileGenerator.h"
#include "TrayClickProbe.h"
#include "TrayWindow.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <malloc.h>
#include <memory>

namespace {

constexpr int repetitions = 5;
constexpr double loadTarget = 3.0;
constexpr double refreshTarget = 3.0;
constexpr double endTarget = 1.5;  // x tsy normalize
constexpr int trayClickRuns = 5;
// Tray click to the painted window: 2 s at a million entries, 0.5 s at 100,000.
constexpr double paintedTargetMsPerEntry = 2000.0 / 1000000.0;
constexpr double paintedTargetMinMs = 500.0;
constexpr double answerTargetMs = 100.0;  // the longest the tray may not answer

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

double bestOf(const std::function<void()> &prepare, const std::function<void()> &measured)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        measured();
        best = std::min(best, timer.nsecsElapsed() / 1.0e6);
    }
    return best;
}

// Every filter on: all groups, one rating hidden, visited, last accessed,
// added and a title mask.
ViewFilter everyFilter()
{
    ViewFilter filter;
    filter.ratingMask[2] = false;
    filter.visitedMode = ViewFilter::MoreThan;
    filter.accessedMode = ViewFilter::LessThan;
    filter.accessedAmount = 24;
    filter.accessedUnit = 2;
    filter.addedMode = ViewFilter::MoreThan;
    filter.addedAmount = 4;
    filter.addedUnit = 1;
    filter.textMask = QStringLiteral("a*e");
    return filter;
}

// The program's end with an unsaved change in a store of the generated file:
// the tray ends the program (the main window saves the store and unloads, the
// settings reach the hive), and how many times the hive was written then.
struct EndFigures
{
    double ms = std::numeric_limits<double>::max();
    quint64 firstHiveWrites = 0;  // the first end, on a hive without the program's settings
    quint64 lastHiveWrites = 0;   // the last, whose settings are as the previous end left them
};

EndFigures programEnd(const QString &stackBase, Prompter &prompter)
{
    EndFigures figures;
    for (int i = 0; i < repetitions; ++i) {
        AppState state;
        state.appFolder = QCoreApplication::applicationDirPath();
        TrayWindow tray(state, prompter);
        tray.start({});
        state.stackBase = stackBase;
        state.settings.aSU = true;  // the end saves the store
        tray.showMainWindow();
        // A large file is read in slices from the event loop.
        while (tray.mainWindow()->isLoading())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        tray.mainWindow()->quickAdd(QStringLiteral("http://added.example/"));
        const quint64 writesBefore = Registry::hiveFileWrites();
        QElapsedTimer timer;
        timer.start();
        tray.unload();
        figures.ms = std::min(figures.ms, timer.nsecsElapsed() / 1.0e6);
        figures.lastHiveWrites = Registry::hiveFileWrites() - writesBefore;
        if (i == 0)
            figures.firstHiveWrites = figures.lastHiveWrites;
    }
    return figures;
}

// tsy normalize of the file as a whole process (the tsy built beside this program).
double tsyNormalize(const QString &path, const QString &folder)
{
    return bestOf([] {}, [&] {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tsy"),
                      {QStringLiteral("normalize"), path, folder + QStringLiteral("/normal.tsy")});
        process.waitForFinished(-1);
    });
}

// Fresh processes, each clicking the tray once (see TrayClickProbe): the
// runs in turn, and the best and worst of each figure.
void trayClicks(const QString &stackBase, qsizetype entries, bool x11)
{
    std::vector<TrayClickProbe::Figures> runs;
    for (int i = 0; i < trayClickRuns; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), x11 ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--tray-click"), stackBase});
        child.waitForFinished(-1);
        TrayClickProbe::Figures figures;
        const QByteArrayList lines = child.readAllStandardOutput().split('\n');
        const bool read = std::any_of(lines.begin(), lines.end(),
                                      [&](const QByteArray &line) { return TrayClickProbe::readFigures(line, &figures); });
        if (!read) {
            std::printf("tray click run %d: the window was never painted\n", i + 1);
            return;
        }
        runs.push_back(figures);
    }
    const double paintedTarget = std::max(paintedTargetMinMs, paintedTargetMsPerEntry * double(entries));
    std::printf("\nfresh program, tray click to the main window painted with its rows (%s; %d runs in turn)\n",
                x11 ? "X11" : "offscreen", trayClickRuns);
    std::printf("%-8s %12s %12s %14s %8s %12s %12s %9s\n", "run", "painted ms", "click ms", "longest gap ms",
                "clicks", "a click ms", "page faults", "RSS MiB");
    for (size_t i = 0; i < runs.size(); ++i) {
        const TrayClickProbe::Figures &f = runs[i];
        std::printf("%-8zu %12.2f %12.2f %14.2f %8d %12.2f %12ld %9.1f\n", i + 1, f.clickToPaintedMs, f.firstClickMs,
                    f.longestTickGapMs, f.clicksDuringLoad, f.longestClickMs, f.pageFaults, f.residentMiB);
    }
    const auto byMember = [](auto member) {
        return [member](const TrayClickProbe::Figures &a, const TrayClickProbe::Figures &b) {
            return a.*member < b.*member;
        };
    };
    const auto best = [&](double TrayClickProbe::Figures::*member) {
        return (*std::min_element(runs.begin(), runs.end(), byMember(member))).*member;
    };
    const auto worst = [&](double TrayClickProbe::Figures::*member) {
        return (*std::max_element(runs.begin(), runs.end(), byMember(member))).*member;
    };
    const double painted = best(&TrayClickProbe::Figures::clickToPaintedMs);
    const double gap = worst(&TrayClickProbe::Figures::longestTickGapMs);
    std::printf("painted: best %.2f ms, worst %.2f ms; target <= %.0f ms: %s\n", painted,
                worst(&TrayClickProbe::Figures::clickToPaintedMs), paintedTarget, painted <= paintedTarget ? "yes" : "NO");
    std::printf("the tray not answering: at most %.2f ms in any run; target <= %.0f ms: %s\n", gap, answerTargetMs,
                gap <= answerTargetMs ? "yes" : "NO");
}

void printRow(const char *step, double ms, double base, const char *target, double limit)
{
    std::printf("%-46s %10.2f", step, ms);
    if (base > 0)
        std::printf("   %6.2fx  %-24s %s", ms / base, target, ms / base <= limit ? "yes" : "NO");
    std::printf("\n");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--tray-click") {
        QApplication app(argc, argv);
        return TrayClickProbe::runInThisProcess(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);
    qsizetype entries = 100000;
    bool x11 = false;
    bool trayClicksOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--x11")
            x11 = true;
        else if (argument == "--tray-clicks-only")
            trayClicksOnly = true;
        else
            entries = argument.toLongLong();
    }

    StackFileGenerator::Settings settings;
    settings.entryCount = entries > 0 ? entries : 100000;
    StackFileGenerator generator(settings);
    const QString stackBase = home.filePath(QStringLiteral("Pemberly"));
    QString error;
    if (!generator.writeFile(stackBase + QStringLiteral(".tsy"), &error)) {
        std::fprintf(stderr, "bench_mainwindow: %s\n", qPrintable(error));
        return 1;
    }
    if (trayClicksOnly) {
        trayClicks(stackBase, settings.entryCount, x11);
        return 0;
    }
    const double now = DayCount::now();
    const ViewFilter filter = everyFilter();
    size_t shownCount = 0;

    // The core alone. Each load fills a fresh store: freeing the previous one
    // happens before the timing, as it is no part of loading.
    auto store = std::make_unique<URLBlock>();
    const double coreLoad = bestOf([&] { store = std::make_unique<URLBlock>(); }, [&] {
        StackFile::loadStackFile(*store, stackBase + QStringLiteral(".tsy"), false, now);
    });
    std::vector<const URLData *> shown;
    const double coreFilter = bestOf([] {}, [&] {
        const EntryFilter decision(filter, ListScope {0, true}, store->IDXList(), now);
        shown = decision.shownEntries(store->urlDatas());
    });
    store.reset();
    shownCount = shown.size();
    shown.clear();
    shown.shrink_to_fit();
    // The program has loaded nothing before its window: the core's freed
    // store is given back first so that it does not count.
    MemoryRelease::returnFreedMemory();
    const double residentBeforeWindow = BenchFigures::residentMiB();

    // The real main window: load (file read, lists built) and one refill.
    SilentPrompter prompter;
    AppState state;
    state.appFolder = QCoreApplication::applicationDirPath();
    state.stackBase = stackBase;
    state.settings.advMode = 0;  // the index mask: all groups listed
    std::unique_ptr<MainWindow> window;
    const double windowLoad = bestOf(
        [&] {
            window.reset();
            state.store.clear();
            window = std::make_unique<MainWindow>(state, prompter, nullptr);
            window->show();
            QCoreApplication::processEvents();
        },
        [&] { window->load(); });

    window->view().advMode = 0;
    window->view().filter = filter;
    window->findChild<QLineEdit *>(QStringLiteral("txtFilter"))->setText(filter.textMask);
    PaintCounter counter;
    window->activeList()->viewport()->installEventFilter(&counter);
    const double refresh = bestOf([] { QCoreApplication::processEvents(); }, [&] { window->RefreshURLPage(); });
    const int paintsDuringRefresh = counter.paints;
    QCoreApplication::processEvents();
    const int rowsShown = window->activeModel()->rowCount();

    // Memory: loaded, after the tray's "Flush" (the window unloads, empties
    // the store and gives the freed memory back itself), and what a further
    // trim of the C library's heap would still give back.
    const double residentLoaded = BenchFigures::residentMiB();
    window->activeList()->viewport()->removeEventFilter(&counter);
    window->unloadWindow();
    QCoreApplication::processEvents();
    const double residentFlushed = BenchFigures::residentMiB();
    malloc_trim(0);
    const double residentTrimmed = BenchFigures::residentMiB();

    std::printf("Tessaly main window benchmark, %s\n", qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)));
    std::printf("%lld entries in %d groups; best of %d runs; offscreen\n\n", static_cast<long long>(settings.entryCount),
                settings.groupCount, repetitions);
    std::printf("%-46s %10s   %7s  %-24s %s\n", "step", "best ms", "ratio", "target", "met");
    printRow("core: load stack file", coreLoad, 0, "", 0);
    printRow("core: filter pass, every filter on", coreFilter, 0, "", 0);
    printRow("main window: load (file read, lists built)", windowLoad, coreLoad, "<= 3x core load", loadTarget);
    printRow("main window: RefreshURLPage, every filter on", refresh, coreFilter, "<= 3x core filter pass",
             refreshTarget);
    std::printf("\nrows shown: %d of %lld (core: %zu)\n", rowsShown, static_cast<long long>(settings.entryCount),
                shownCount);
    std::printf("paint events of the list during %d refills: %d (the list is never painted per row)\n", repetitions,
                paintsDuringRefresh);
    std::printf("\nresident memory (MiB): before the window was loaded %.1f, loaded %.1f, after Flush %.1f "
                "(%+.1f; target within 20), after malloc_trim(0) %.1f (%+.1f)\n",
                residentBeforeWindow, residentLoaded, residentFlushed, residentFlushed - residentBeforeWindow,
                residentTrimmed, residentTrimmed - residentBeforeWindow);

    window.reset();
    const QString file = stackBase + QStringLiteral(".tsy");
    const double normalize = tsyNormalize(file, home.path());
    const EndFigures end = programEnd(stackBase, prompter);
    std::printf("\n");
    printRow("tsy normalize of the same file", normalize, 0, "", 0);
    printRow("program end, one unsaved change", end.ms, normalize, "<= 1.5x tsy normalize", endTarget);
    std::printf("settings hive writes at the program's end: %llu with new settings (target 1), %llu with the "
                "settings unchanged\n",
                static_cast<unsigned long long>(end.firstHiveWrites),
                static_cast<unsigned long long>(end.lastHiveWrites));
    trayClicks(stackBase, settings.entryCount, x11);
    return 0;
}
