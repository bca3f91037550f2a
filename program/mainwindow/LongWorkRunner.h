// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LongWork.h"
#include "LongWorkDialog.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;
struct AppState;

// Shows the main window's long work (loads, merges, Save As) and lets the
// user cancel it. A progress dialog, window-modal over the main window,
// appears once the work has lasted (LongWork::worthShowing), so that small
// files show nothing; its "Cancel" (or Escape, or closing it) cancels.
//
// Work that runs inside a command (Nested) lets the event loop run at its
// steps, now and then: the window repaints and the tray answers, but no
// command runs half-way through it: until the dialog shows, user input
// waits; then the dialog, being modal, keeps it from the main window; and
// dialogState says a prompt is open, so the tray's flush and unload wait
// for the end (unload cancels the work). Work that runs from the event loop
// itself (EventLoop: a load in slices) only has its dialog updated.
class LongWorkRunner : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Nested, EventLoop };

    LongWorkRunner(AppState &state, QWidget *window);
    ~LongWorkRunner() override;

    // Work from begin() to end(); one at a time. undo (when given) takes back
    // what the work did so far: abandon() runs it.
    LongWork &begin(const QString &what, Mode mode, std::function<void()> undo = {});
    // Ends the work begun last: the dialog goes, ended is emitted.
    void end();
    LongWork *current() const { return m_work.get(); }
    // Whether the dialog was shown for the work running or ended last.
    bool dialogWasShown() const { return m_dialogShown; }
    LongWorkDialog *dialog() const { return m_dialog; }
    // Cancels the work and takes back what it did at once: the program ends
    // from inside the event loop (the display went away), and the work's
    // own loop will not get to do it.
    void abandon();
    // The work and how far it has come, for the tray's tip; empty without work.
    QString progressText() const;

    // The time the works are measured by (tests set one).
    void setClock(LongWork::Clock clock) { m_clock = std::move(clock); }

    // Holds work from begin() to end().
    class Scope
    {
    public:
        Scope(LongWorkRunner &runner, const QString &what, std::function<void()> undo = {})
            : m_runner(runner)
            , m_work(runner.begin(what, Mode::Nested, std::move(undo)))
        { }
        ~Scope() { m_runner.end(); }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;
        LongWork &work() const { return m_work; }
        LongWork::Progress progress() const { return m_work.progress(); }
        bool cancelled() const { return m_work.isCancelled(); }

    private:
        LongWorkRunner &m_runner;
        LongWork &m_work;
    };

signals:
    void started(LongWork *work);
    // After each step of the work, before the event loop runs.
    void stepped(LongWork *work);
    // The tray's tip may change: how far the work has come, in whole percent.
    void progressTextChanged();
    void ended(const QString &what, bool cancelled);

private:
    void onStep();
    void showDialog();
    void letEventsRun();

    AppState &m_state;
    QPointer<QWidget> m_window;
    LongWork::Clock m_clock;
    std::unique_ptr<LongWork> m_work;
    Mode m_mode = Mode::Nested;
    std::function<void()> m_undo;
    int m_previousDialogState = 0;
    QPointer<LongWorkDialog> m_dialog;
    bool m_dialogShown = false;
    qint64 m_lastEventsMs = 0;
    bool m_eventsDue = false;
    QString m_progressText;
};
