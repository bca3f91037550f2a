// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

// One piece of long work (a load, a merge, an export) as its loops see it:
// they report how far they have come with step(), which says whether to go
// on. Whoever shows the work (a progress dialog) listens to the steps and
// may cancel it; a loop that is told to stop leaves what it works on as it
// found it. QtCore only, so that the store's loops and the library's readers
// take it without knowing of windows.
class LongWork
{
public:
    // How a loop reports: done of total (total 0: not known yet); false
    // once the work is to stop.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    // Milliseconds from any fixed moment.
    using Clock = std::function<qint64()>;

    // Work that ends within this time shows no progress at all.
    static constexpr qint64 showAfterMs = 500;

    // what: the work as the user would name it ("Merging"); clock: the time
    // (a steady clock when empty).
    explicit LongWork(QString what, Clock clock = {});

    QString what() const { return m_what; }

    // Reported by the work's loop; tells the listener. False once cancelled.
    bool step(qint64 done, qint64 total);
    // step() of this object, for loops that take a Progress.
    Progress progress();

    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }
    // How many steps have been reported.
    int steps() const { return m_steps; }
    // Milliseconds since the work began.
    qint64 elapsedMs() const;
    // Whether the work is worth showing now: it has run showAfterMs, and by
    // the rate so far it is not about to end.
    bool worthShowing() const;

    // Called at every step, after done and total are taken.
    void setListener(std::function<void()> listener) { m_listener = std::move(listener); }

    // Reports to an optional Progress: true (go on) when there is none.
    static bool report(const Progress &progress, qint64 done, qint64 total)
    {
        return !progress || progress(done, total);
    }

    // The progress of one part of work done in parts of equal weight (part
    // from 0 of parts): what the part reports of its own total is reported to
    // whole as its share of the whole work.
    static Progress share(const Progress &whole, int part, int parts);

private:
    QString m_what;
    Clock m_clock;
    qint64 m_start;
    qint64 m_done = 0;
    qint64 m_total = 0;
    int m_steps = 0;
    bool m_cancelled = false;
    std::function<void()> m_listener;
};
