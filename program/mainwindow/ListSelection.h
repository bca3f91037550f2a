// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <vector>

class EntryListView;

// The selected rows of an entry list, read and changed as the commands on
// a selection need them. Rows are found by position; their entries by the
// rows' keys, so two rows that look alike are never confused.
namespace ListSelection {

// The selected rows, top to bottom.
std::vector<int> selectedRows(const EntryListView *list);
// Deselects these rows (adjacent rows as one range).
void deselect(EntryListView *list, const std::vector<int> &rows);
// Narrows the selection to the current row: every other selected row is
// deselected (the current one too with deselectAll). The current row when
// it stays selected; -1 otherwise.
int focusSelected(EntryListView *list, bool deselectAll);

} // namespace ListSelection
