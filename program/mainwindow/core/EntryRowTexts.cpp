// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryRowTexts.h"

#include "DayCount.h"
#include "GroupTable.h"
#include "URLData.h"

#include <QLocale>
#include <array>

EntryRowTexts::EntryRowTexts(const GroupTable &groups, DateText dateText)
    : m_groups(groups)
    , m_dateText(std::move(dateText))
{ }

namespace {

const QString &storedRatingName(int rated)
{
    static const std::array<QString, 6> names
        = {QStringLiteral("Not Rated"), QStringLiteral("Low"), QStringLiteral("Medium"),
           QStringLiteral("High"),      QStringLiteral("V.High"), QString()};
    return names[rated >= 0 && rated < 5 ? size_t(rated) : 5];
}

}  // namespace

QString EntryRowTexts::text(const URLData &entry, int column) const
{
    if (const std::optional<double> dayCount = dayCountOf(entry, column))
        return m_dateText(*dayCount);
    if (const QString *stored = storedText(entry, column))
        return *stored;
    if (column == Visited)
        return QString::number(entry.Visited);
    return QString();
}

const QString *EntryRowTexts::storedText(const URLData &entry, int column) const
{
    static const QString never = QStringLiteral("Never");
    static const QString noGroup;
    switch (column) {
    case Title:
        return &entry.Name;
    case URL:
        return &entry.url;
    case Rated:
        return &storedRatingName(entry.Rated);
    case Group:
        return m_groups.isGroup(entry.Owner) ? &m_groups.at(entry.Owner).name : &noGroup;
    case LastVisited:
        return dayCountOf(entry, column) ? nullptr : &never;
    default:
        return nullptr;
    }
}

std::optional<double> EntryRowTexts::dayCountOf(const URLData &entry, int column)
{
    if (column == LastVisited && entry.LastAccesed > 0)
        return entry.LastAccesed;
    if (column == Created)
        return entry.Created;
    return std::nullopt;
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
    return storedRatingName(rated);
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
