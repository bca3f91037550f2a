// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryRowTexts.h"

#include "DayCount.h"
#include "GroupTable.h"
#include "URLData.h"

#include <QCoreApplication>
#include <QLocale>
#include <array>

namespace {

// The rating names by rating, 0 to 4.
const char *const ratingSources[]
    = {QT_TRANSLATE_NOOP("EntryRowTexts", "Not Rated"), QT_TRANSLATE_NOOP("EntryRowTexts", "Low"),
       QT_TRANSLATE_NOOP("EntryRowTexts", "Medium"), QT_TRANSLATE_NOOP("EntryRowTexts", "High"),
       QT_TRANSLATE_NOOP("EntryRowTexts", "V.High")};

}  // namespace

EntryRowTexts::EntryRowTexts(const GroupTable &groups, DateText dateText)
    : m_groups(groups)
    , m_dateText(std::move(dateText))
    , m_never(QCoreApplication::translate("EntryRowTexts", "Never", "last visit"))
{
    for (int rated = 0; rated < 5; ++rated)
        m_ratingNames[size_t(rated)] = ratingName(rated);
}

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
    static const QString noGroup;
    switch (column) {
    case Title:
        return &entry.Name;
    case URL:
        return &entry.url;
    case Rated:
        return &m_ratingNames[entry.Rated < 5 ? size_t(entry.Rated) : 5];
    case Group:
        return m_groups.isGroup(entry.Owner) ? &m_groups.at(entry.Owner).name : &noGroup;
    case LastVisited:
        return dayCountOf(entry, column) ? nullptr : &m_never;
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
    return {QCoreApplication::translate("EntryRowTexts", "Title"),
            QCoreApplication::translate("EntryRowTexts", "URL"),
            QCoreApplication::translate("EntryRowTexts", "Rated"),
            QCoreApplication::translate("EntryRowTexts", "Group"),
            QCoreApplication::translate("EntryRowTexts", "Last Visited"),
            QCoreApplication::translate("EntryRowTexts", "Created"),
            QCoreApplication::translate("EntryRowTexts", "Visited", "times visited")};
}

QString EntryRowTexts::ratingName(int rated)
{
    return rated >= 0 && rated < 5 ? QCoreApplication::translate("EntryRowTexts", ratingSources[rated])
                                   : QString();
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
