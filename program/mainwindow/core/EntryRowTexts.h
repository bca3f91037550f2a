// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class GroupTable;
class URLData;

// The seven column texts of an entry's row in the entry lists.
class EntryRowTexts
{
public:
    enum Column { Title, URL, Rated, Group, LastVisited, Created, Visited, ColumnCount };

    using DateText = std::function<QString(double dayCount)>;

    explicit EntryRowTexts(const GroupTable &groups, DateText dateText = &generalDateText);

    QString text(const URLData &entry, int column) const;
    QStringList texts(const URLData &entry) const;
    // The date a date column shows; none for the other columns and for "Never".
    static std::optional<double> dayCountOf(const URLData &entry, int column);
    // The text a column shows when it is one kept elsewhere (title, address,
    // rating and group names, "Never"), for writers of many rows that need no
    // copy; nullptr for dates and the visit count. Valid while the entry and
    // its group are unchanged.
    const QString *storedText(const URLData &entry, int column) const;

    static QStringList headers();
    // "Not Rated", "Low", "Medium", "High", "V.High"; empty for any other rating.
    static QString ratingName(int rated);

    // The desktop's short date, with the time of day when it is not midnight.
    static QString generalDateText(double dayCount);
    // YYYY-MM-DD HH:MM:SS, for scripts.
    static QString isoDateText(double dayCount);

private:
    const GroupTable &m_groups;
    DateText m_dateText;
    // The rating names and "Never" in the language of the windows, made once:
    // storedText hands out their addresses.
    std::array<QString, 6> m_ratingNames;
    QString m_never;
};
