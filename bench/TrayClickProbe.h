// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class TrayWindow;

// A fresh program's first tray click, measured from inside the process: the
// tray window is started as the program starts it, its icon is clicked, and
// the probe waits until the main window has painted its entry list with rows
// in it. Meanwhile a 2 ms timer ticks (the longest time between two ticks is
// the longest time the tray and the floating button could not answer), and
// the icon is clicked again every 50 ms, each click timed: a click during
// the load must neither wait for it nor start another.
class TrayClickProbe : public QObject
{
public:
    struct Figures
    {
        double clickToPaintedMs = -1;  // -1: never painted
        double firstClickMs = 0;       // the click's own handler
        double longestTickGapMs = 0;   // between two ticks of the 2 ms timer, click to paint
        int clicksDuringLoad = 0;
        double longestClickMs = 0;     // of those clicks
        long pageFaults = 0;           // from the click to the paint
        double residentMiB = 0;        // after the paint
    };

    // Runs the probe on the default stack file stackBase + ".tsy" in this
    // process (which must have a QApplication) and prints the figures as one
    // line that readFigures reads. False when the window never painted.
    static bool runInThisProcess(const QString &stackBase);
    static bool readFigures(const QByteArray &line, Figures *figures);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TrayClickProbe(TrayWindow &tray);
    void click();
    void tick();
    void clickAgain();
    bool isLoadedList(QObject *watched) const;
    QByteArray figuresLine() const;

    TrayWindow &m_tray;
    Figures m_figures;
    QElapsedTimer m_clock;
    qint64 m_lastTickNs = 0;
    long m_faultsAtClick = 0;
    bool m_painted = false;
};
