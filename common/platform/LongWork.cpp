// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LongWork.h"

#include <chrono>

namespace {

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Work whose rest would take less than this is let end unshown.
constexpr qint64 aboutToEndMs = 200;

} // namespace

LongWork::LongWork(QString what, Clock clock)
    : m_what(std::move(what))
    , m_clock(clock ? std::move(clock) : Clock(&steadyMs))
    , m_start(m_clock())
{ }

bool LongWork::step(qint64 done, qint64 total)
{
    m_done = done;
    m_total = total;
    ++m_steps;
    if (m_listener)
        m_listener();
    return !m_cancelled;
}

LongWork::Progress LongWork::progress()
{
    return [this](qint64 done, qint64 total) { return step(done, total); };
}

qint64 LongWork::elapsedMs() const
{
    return m_clock() - m_start;
}

bool LongWork::worthShowing() const
{
    const qint64 elapsed = elapsedMs();
    if (elapsed < showAfterMs)
        return false;
    // Without a total (or before the first part is done) the end is not in sight.
    if (m_total <= 0 || m_done <= 0)
        return true;
    const double rest = double(elapsed) * double(m_total - m_done) / double(m_done);
    return rest >= double(aboutToEndMs);
}

LongWork::Progress LongWork::share(const Progress &whole, int part, int parts)
{
    if (!whole)
        return {};
    constexpr qint64 unit = 1000;
    return [whole, part, parts](qint64 done, qint64 total) {
        const qint64 within = total > 0 ? qBound(qint64(0), done, total) * unit / total : 0;
        return whole(part * unit + within, parts * unit);
    };
}
