// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListSelection.h"

#include "EntryListView.h"

#include <QItemSelectionModel>

#include <algorithm>

namespace ListSelection {

std::vector<int> selectedRows(const EntryListView *list)
{
    std::vector<int> rows;
    const QItemSelectionModel *selection = list->selectionModel();
    if (!selection)
        return rows;
    for (const QItemSelectionRange &range : selection->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void deselect(EntryListView *list, const std::vector<int> &rows)
{
    const QAbstractItemModel *model = list->model();
    QItemSelection ranges;
    for (size_t i = 0; i < rows.size();) {
        size_t last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        ranges.select(model->index(rows[i], 0), model->index(rows[last], 0));
        i = last + 1;
    }
    list->selectionModel()->select(ranges, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

int focusSelected(EntryListView *list, bool deselectAll)
{
    const int current = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
    std::vector<int> rows = selectedRows(list);
    const bool currentSelected = std::binary_search(rows.begin(), rows.end(), current);
    if (currentSelected && !deselectAll)
        rows.erase(std::lower_bound(rows.begin(), rows.end(), current));
    deselect(list, rows);
    return currentSelected && !deselectAll ? current : -1;
}

} // namespace ListSelection
