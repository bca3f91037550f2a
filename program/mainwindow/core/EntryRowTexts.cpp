#include "EntryRowTexts.h"

#include "DayCount.h"
#include "GroupTable.h"
#include "URLData.h"

#include <QHash>
#include <QLocale>
#include <algorithm>
#include <array>
#include <memory>

EntryRowTexts::EntryRowTexts(const GroupTable &groups, DateText dateText)
    : m_groups(groups)
    , m_dateText(std::move(dateText))
{ }

QString EntryRowTexts::text(const URLData &entry, int column) const
{
    switch (column) {
    case Title:
        return entry.Name;
    case URL:
        return entry.url;
    case Rated:
        return ratingName(entry.Rated);
    case Group:
        return m_groups.nameOf(entry.Owner);
    case LastVisited:
        return entry.LastAccesed > 0 ? m_dateText(entry.LastAccesed) : QStringLiteral("Never");
    case Created:
        return m_dateText(entry.Created);
    case Visited:
        return QString::number(entry.Visited);
    default:
        return QString();
    }
}

QStringList EntryRowTexts::texts(const URLData &entry) const
{
    QStringList row;
    row.reserve(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column)
        row.append(text(entry, column));
    return row;
}

QStringList EntryRowTexts::headers()
{
    return {QStringLiteral("Title"),  QStringLiteral("URL"),          QStringLiteral("Rated"),
            QStringLiteral("Group"),  QStringLiteral("Last Visited"), QStringLiteral("Created"),
            QStringLiteral("Visited")};
}

QString EntryRowTexts::ratingName(int rated)
{
    static const std::array<QString, 5> names
        = {QStringLiteral("Not Rated"), QStringLiteral("Low"), QStringLiteral("Medium"),
           QStringLiteral("High"), QStringLiteral("V.High")};
    return rated >= 0 && rated < int(names.size()) ? names[size_t(rated)] : QString();
}

// The locale's long time format without the time zone, which a day count does not have.
static QString timeFormatWithSeconds(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString EntryRowTexts::generalDateText(double dayCount)
{
    const QLocale locale;
    const QDateTime moment = DayCount::toDateTime(dayCount);
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(moment.time(), timeFormatWithSeconds(locale));
}

QString EntryRowTexts::isoDateText(double dayCount)
{
    return DayCount::toDateTime(dayCount).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

namespace {

char16_t *writeDigits(char16_t *out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// What the date texts of one day share.
struct DayText
{
    bool steady = false;               // one offset from UTC all day
    std::array<char16_t, 10> date {};  // YYYY-MM-DD
};

DayText dayText(QDate date)
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    DayText text;
    text.steady = DayCount::hasSteadyLocalOffset(date);
    char16_t *p = writeDigits(text.date.data(), year, 4);
    *p++ = u'-';
    p = writeDigits(p, month, 2);
    *p++ = u'-';
    writeDigits(p, day, 2);
    return text;
}

// YYYY-MM-DD HH:MM:SS of a day and a second of it.
QString isoText(const DayText &day, int second)
{
    QString text(19, Qt::Uninitialized);
    char16_t *p = std::copy(day.date.begin(), day.date.end(), reinterpret_cast<char16_t *>(text.data()));
    *p++ = u' ';
    p = writeDigits(p, second / 3600, 2);
    *p++ = u':';
    p = writeDigits(p, second / 60 % 60, 2);
    *p++ = u':';
    writeDigits(p, second % 60, 2);
    return text;
}

}  // namespace

EntryRowTexts::DateText EntryRowTexts::isoDateTexts()
{
    auto days = std::make_shared<QHash<qint64, DayText>>();  // by day number
    return [days](double dayCount) {
        qint64 day = 0;
        int second = 0;
        DayCount::toDayAndSecond(dayCount, day, second);
        auto found = days->constFind(day);
        if (found == days->cend())
            found = days->insert(day, dayText(DayCount::epoch().addDays(day)));
        return found->steady ? isoText(*found, second) : isoDateText(dayCount);
    };
}
