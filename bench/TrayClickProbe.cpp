// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayClickProbe.h"

#include "AppState.h"
#include "BenchFigures.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "MainWindow.h"
#include "Prompter.h"
#include "SilentPrompter.h"
#include "TrayWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int tickIntervalMs = 2;
constexpr int clickIntervalMs = 50;
constexpr int giveUpMs = 120000;

long pageFaults()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double msSince(const QElapsedTimer &clock, qint64 ns)
{
    return double(clock.nsecsElapsed() - ns) / 1.0e6;
}

}  // namespace

TrayClickProbe::TrayClickProbe(TrayWindow &tray)
    : m_tray(tray)
{
}

bool TrayClickProbe::runInThisProcess(const QString &stackBase)
{
    AppState state;
    SilentPrompter prompter;
    TrayWindow tray(state, prompter);
    tray.start({});
    state.stackBase = stackBase;
    TrayClickProbe probe(tray);
    qApp->installEventFilter(&probe);
    // The program has started and is idle in the tray when the user clicks.
    QTimer::singleShot(200, &probe, [&probe] { probe.click(); });
    // exit(), not quit(): quit() asks the windows to close, which the main
    // window refuses (it hides instead).
    QTimer::singleShot(giveUpMs, qApp, [] { QCoreApplication::exit(1); });
    QCoreApplication::exec();
    std::printf("%s\n", probe.figuresLine().constData());
    std::fflush(stdout);
    return probe.m_painted;
}

void TrayClickProbe::click()
{
    auto *ticks = new QTimer(this);
    ticks->setTimerType(Qt::PreciseTimer);
    connect(ticks, &QTimer::timeout, this, &TrayClickProbe::tick);
    auto *clicks = new QTimer(this);
    connect(clicks, &QTimer::timeout, this, &TrayClickProbe::clickAgain);
    m_faultsAtClick = pageFaults();
    m_clock.start();
    emit m_tray.trayIcon()->activated(QSystemTrayIcon::Trigger);
    // The first tick's gap counts from the click: a click that loads the
    // window before it returns keeps the tray from answering that long.
    m_figures.firstClickMs = msSince(m_clock, 0);
    ticks->start(tickIntervalMs);
    clicks->start(clickIntervalMs);
}

void TrayClickProbe::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_figures.longestTickGapMs = qMax(m_figures.longestTickGapMs, double(now - m_lastTickNs) / 1.0e6);
    m_lastTickNs = now;
}

void TrayClickProbe::clickAgain()
{
    if (m_painted)
        return;
    const qint64 start = m_clock.nsecsElapsed();
    emit m_tray.trayIcon()->activated(QSystemTrayIcon::Trigger);
    m_figures.longestClickMs = qMax(m_figures.longestClickMs, msSince(m_clock, start));
    ++m_figures.clicksDuringLoad;
}

bool TrayClickProbe::isLoadedList(QObject *watched) const
{
    const MainWindow *main = m_tray.mainWindow();
    return main && main->isVisible() && watched == main->activeList()->viewport()
        && main->activeModel()->rowCount() > 0;
}

// The first paint of a list with rows ends the measurement once it is done:
// the time is taken when the event loop comes back.
bool TrayClickProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_painted && m_clock.isValid() && isLoadedList(watched)) {
        m_painted = true;
        QTimer::singleShot(0, this, [this] {
            m_figures.clickToPaintedMs = msSince(m_clock, 0);
            m_figures.pageFaults = pageFaults() - m_faultsAtClick;
            tick();
            m_figures.residentMiB = BenchFigures::residentMiB();
            QCoreApplication::exit(0);
        });
    }
    return false;
}

QByteArray TrayClickProbe::figuresLine() const
{
    const Figures &f = m_figures;
    return QByteArray("tray-click ") + QByteArray::number(f.clickToPaintedMs, 'f', 2) + ' '
        + QByteArray::number(f.firstClickMs, 'f', 2) + ' ' + QByteArray::number(f.longestTickGapMs, 'f', 2) + ' '
        + QByteArray::number(f.clicksDuringLoad) + ' ' + QByteArray::number(f.longestClickMs, 'f', 2) + ' '
        + QByteArray::number(qlonglong(f.pageFaults)) + ' ' + QByteArray::number(f.residentMiB, 'f', 1);
}

bool TrayClickProbe::readFigures(const QByteArray &line, Figures *figures)
{
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 8 || fields[0] != "tray-click")
        return false;
    figures->clickToPaintedMs = fields[1].toDouble();
    figures->firstClickMs = fields[2].toDouble();
    figures->longestTickGapMs = fields[3].toDouble();
    figures->clicksDuringLoad = fields[4].toInt();
    figures->longestClickMs = fields[5].toDouble();
    figures->pageFaults = fields[6].toLong();
    figures->residentMiB = fields[7].toDouble();
    return figures->clickToPaintedMs >= 0;
}
