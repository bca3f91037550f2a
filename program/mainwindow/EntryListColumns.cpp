// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryListColumns.h"

#include "DayCount.h"
#include "EntryRowTexts.h"

#include <QDate>
#include <QDateTime>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

namespace EntryListColumns {

namespace {

// A date with two-digit day and month and a time of day, so the text is as
// long as a date text gets in the desktop's format.
double longestDate()
{
    return DayCount::fromDateTime(QDateTime(QDate(2026, 12, 28), QTime(22, 58, 58)));
}

QString typicalText(int column)
{
    switch (column) {
    case EntryRowTexts::Title:
        return QStringLiteral("A typical page title of a bookmark");
    case EntryRowTexts::URL:
        return QStringLiteral("https://www.example.org/a/typical/path");
    case EntryRowTexts::Rated:
        return EntryRowTexts::ratingName(0);  // "Not Rated", the longest
    case EntryRowTexts::Group:
        return QStringLiteral("A group name");
    case EntryRowTexts::LastVisited:
    case EntryRowTexts::Created:
        return EntryRowTexts::generalDateText(longestDate());
    case EntryRowTexts::Visited:
        return QStringLiteral("99999");
    default:
        return QString();
    }
}

} // namespace

int fittedWidth(const QTreeView *list, int column)
{
    const QFontMetrics metrics(list->font());
    // The cell's margins on both sides, and a little air.
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1)
        + metrics.averageCharWidth();
    const int text = metrics.horizontalAdvance(typicalText(column)) + margins;
    return qMax(text, list->header()->sectionSizeHint(column));
}

void apply(QTreeView *list, const Widths &widths, double twipsPerPixel)
{
    QHeaderView *header = list->header();
    for (int i = 0; i < header->count() && i < int(widths.size()); ++i) {
        const int twips = widths[size_t(i)];
        header->resizeSection(i, twips > 0 ? int(twips / twipsPerPixel + 0.5) : fittedWidth(list, i));
    }
}

void store(const QTreeView *list, Widths &widths, double twipsPerPixel)
{
    const QHeaderView *header = list->header();
    for (int i = 0; i < header->count() && i < int(widths.size()); ++i)
        widths[size_t(i)] = int(header->sectionSize(i) * twipsPerPixel + 0.5);
}

} // namespace EntryListColumns
