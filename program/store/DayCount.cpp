#include "DayCount.h"

#include <algorithm>
#include <cmath>

namespace DayCount {

QDate epoch()
{
    return QDate(1899, 12, 30);
}

// Day counts from damaged input are kept within the years 100 to 9999, so
// that no conversion overflows.
double bounded(double dayCount)
{
    if (std::isnan(dayCount))
        return 0.0;
    return std::clamp(dayCount, minDayCount, maxDayCount);
}

QDate toDate(double dayCount)
{
    return epoch().addDays(qint64(std::floor(bounded(dayCount))));
}

QDateTime toDateTime(double dayCount)
{
    dayCount = bounded(dayCount);
    const double days = std::floor(dayCount);
    qint64 seconds = std::llround((dayCount - days) * secondsPerDay);
    QDate date = epoch().addDays(qint64(days));
    if (seconds >= qint64(secondsPerDay)) {
        date = date.addDays(1);
        seconds = 0;
    }
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds)));
}

double fromDate(QDate date)
{
    return double(epoch().daysTo(date));
}

double fromDateTime(const QDateTime &dateTime)
{
    const QTime time = dateTime.time();
    return fromDate(dateTime.date()) + time.msecsSinceStartOfDay() / (secondsPerDay * 1000.0);
}

double now()
{
    return fromDateTime(QDateTime::currentDateTime());
}

}  // namespace DayCount
