#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

    static QStringList headers();
    // "Not Rated", "Low", "Medium", "High", "V.High"; empty for any other rating.
    static QString ratingName(int rated);

    // The desktop's short date, with the time of day when it is not midnight.
    static QString generalDateText(double dayCount);
    // YYYY-MM-DD HH:MM:SS, for scripts.
    static QString isoDateText(double dayCount);
    // The same texts, faster for many rows: dates without a change of local
    // time are written directly, the others as isoDateText writes them. Which
    // dates those are is remembered by the returned function, so it serves
    // one time zone: make a new one after the zone changes.
    static DateText isoDateTexts();

private:
    const GroupTable &m_groups;
    DateText m_dateText;
};
