// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LocalDays.h"

#include "DayCount.h"

#include <QDateTime>

namespace {

constexpr qint64 msPerDay = 86400000;

char *writeDigits(char *out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

}  // namespace

LocalDays::LocalDays()
    : m_localZone(QTimeZone::systemTimeZone())
    , m_recentDays(recentDayCount, nullptr)
{ }

LocalDays::~LocalDays() = default;

LocalDays::Node &LocalDays::node(qint64 number)
{
    Node *&recent = m_recentDays[size_t(number) % recentDayCount];
    if (recent && recent->day.number == number)
        return *recent;
    auto found = m_days.find(number);
    if (found == m_days.end())
        found = m_days.emplace(number, makeNode(number)).first;
    recent = &found->second;
    return *recent;
}

LocalDays::Node LocalDays::makeNode(qint64 number) const
{
    const QDate date = DayCount::epoch().addDays(number);
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    date.getDate(&year, &month, &dayOfMonth);
    Node node;
    node.day.number = number;
    node.day.steady = DayCount::hasSteadyLocalOffset(date, m_localZone);
    char *p = writeDigits(node.day.date.data(), year, 4);
    *p++ = '-';
    p = writeDigits(p, month, 2);
    *p++ = '-';
    writeDigits(p, dayOfMonth, 2);
    return node;
}

// The local time conversion's own moment of the day's midnight.
qint64 LocalDays::startOf(Node &node)
{
    if (!node.startKnown) {
        node.start = QDateTime(DayCount::epoch().addDays(node.day.number), QTime(0, 0)).toMSecsSinceEpoch();
        node.startKnown = true;
    }
    return node.start;
}

// A steady day lasts 24 hours by the conversion's own clock too, so that a
// time zone that the conversion and the zone data disagree on is converted
// date by date.
bool LocalDays::startsSteadily(Node &node)
{
    if (!node.startsSteadily) {
        const qint64 number = node.day.number;
        node.startsSteadily = node.day.steady && number < qint64(DayCount::maxDayCount)
            && startOf(this->node(number + 1)) - startOf(node) == msPerDay;
    }
    return *node.startsSteadily;
}

std::optional<qint64> LocalDays::msSinceEpoch(double dayCount)
{
    qint64 number = 0;
    int ms = 0;
    DayCount::toDayAndMs(dayCount, number, ms);
    Node &today = node(number);
    if (startsSteadily(today)) {
        m_lastSteady = dayCount;
        return today.start + ms;
    }
    return converted(dayCount);
}

// A time that local time shows twice (when the clocks go back) is converted
// by the C library to the moment whose offset its previous conversion had.
// The previous date is converted again first when the table gave it, so that
// every date gets the moment a conversion of each date in turn gives.
std::optional<qint64> LocalDays::converted(double dayCount)
{
    if (m_lastSteady) {
        DayCount::toDateTimeMs(*m_lastSteady).toMSecsSinceEpoch();
        m_lastSteady.reset();
    }
    const QDateTime time = DayCount::toDateTimeMs(dayCount);
    if (!time.isValid())
        return std::nullopt;  // skipped when the clocks went forward
    return time.toMSecsSinceEpoch();
}
