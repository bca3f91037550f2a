#pragma once

#include <QHash>
#include <QString>
#include <QTimeZone>
#include <array>
#include <limits>
#include <vector>

// YYYY-MM-DD HH:MM:SS texts of many day counts, as EntryRowTexts::isoDateText
// writes them, made without a time zone conversion on the days that keep one
// offset from UTC all day. Which days those are is remembered, so one object
// serves the time zone that was the system's when it was made.
class IsoDateTexts
{
public:
    static constexpr int textLength = 19;

    IsoDateTexts();

    QString text(double dayCount);
    // The same text in ASCII at out, which has room for textLength bytes;
    // returns the end of what was written.
    char *write(char *out, double dayCount);

private:
    // What the texts of one day share.
    struct Day
    {
        qint64 number = noDay;         // days since 30 December 1899
        bool steady = false;           // one offset from UTC all day
        std::array<char, 10> date {};  // YYYY-MM-DD
    };
    static constexpr qint64 noDay = std::numeric_limits<qint64>::min();
    // Recent days by their number modulo this: nearly all dates of a store
    // fall within the years it covers, and a lookup there is one comparison.
    static constexpr size_t recentDayCount = 4096;

    const Day &day(qint64 dayNumber);
    Day makeDay(qint64 dayNumber) const;

    QTimeZone m_localZone;
    std::vector<Day> m_recentDays;
    QHash<qint64, Day> m_days;  // every day made, by number
};
