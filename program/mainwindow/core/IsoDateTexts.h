#pragma once

#include <QHash>
#include <QString>
#include <QTimeZone>
#include <array>

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
        bool steady = false;          // one offset from UTC all day
        std::array<char, 10> date {};  // YYYY-MM-DD
    };

    const Day &day(qint64 dayNumber);

    QTimeZone m_localZone;
    QHash<qint64, Day> m_days;  // by day number
};
