#include "IsoDateTexts.h"

#include "DayCount.h"
#include "EntryRowTexts.h"

#include <algorithm>

namespace {

char *writeDigits(char *out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

}  // namespace

IsoDateTexts::IsoDateTexts()
    : m_localZone(QTimeZone::systemTimeZone())
    , m_recentDays(recentDayCount)
{ }

const IsoDateTexts::Day &IsoDateTexts::day(qint64 dayNumber)
{
    Day &recent = m_recentDays[size_t(dayNumber) % recentDayCount];
    if (recent.number == dayNumber)
        return recent;
    auto found = m_days.constFind(dayNumber);
    if (found == m_days.cend())
        found = m_days.insert(dayNumber, makeDay(dayNumber));
    recent = *found;
    return recent;
}

IsoDateTexts::Day IsoDateTexts::makeDay(qint64 dayNumber) const
{
    const QDate date = DayCount::epoch().addDays(dayNumber);
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    date.getDate(&year, &month, &dayOfMonth);
    Day day;
    day.number = dayNumber;
    day.steady = DayCount::hasSteadyLocalOffset(date, m_localZone);
    char *p = writeDigits(day.date.data(), year, 4);
    *p++ = '-';
    p = writeDigits(p, month, 2);
    *p++ = '-';
    writeDigits(p, dayOfMonth, 2);
    return day;
}

char *IsoDateTexts::write(char *out, double dayCount)
{
    qint64 dayNumber = 0;
    int second = 0;
    DayCount::toDayAndSecond(dayCount, dayNumber, second);
    const Day &found = day(dayNumber);
    if (!found.steady) {
        const QString text = EntryRowTexts::isoDateText(dayCount);
        const qsizetype length = std::min<qsizetype>(text.size(), textLength);
        for (qsizetype i = 0; i < length; ++i)
            *out++ = text.at(i).toLatin1();
        return out;
    }
    char *p = std::copy(found.date.begin(), found.date.end(), out);
    *p++ = ' ';
    p = writeDigits(p, second / 3600, 2);
    *p++ = ':';
    p = writeDigits(p, second / 60 % 60, 2);
    *p++ = ':';
    return writeDigits(p, second % 60, 2);
}

QString IsoDateTexts::text(double dayCount)
{
    std::array<char, textLength> ascii;
    const char *const end = write(ascii.data(), dayCount);
    return QString::fromLatin1(ascii.data(), end - ascii.data());
}
