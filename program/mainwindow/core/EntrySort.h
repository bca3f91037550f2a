// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <vector>

class URLBlock;

// The order of an entry list's rows when sorted by a column. Text columns
// (title, URL, group) sort case-insensitively from A to Z; the value
// columns (rating, last visited, created, visits) by their values, largest
// first: highest rating, newest date, most visits, with "Never" and no date
// the smallest. Reversed gives the opposite order. The sort is stable: rows
// of equal value keep their previous order. Rows whose entry is gone go last.
namespace EntrySort {

// Whether a column sorts by its values (largest first) rather than its text.
bool isValueColumn(int column);

void sort(std::vector<quint32> &keys, const URLBlock &store, int column, bool reversed = false);

// The sort menu's items (0 "Title", 1 "Rated", 2 "Times Visited",
// 3 "Last Visited Date", 5 "URL", 6 "Creation Date", 7 "Category": the
// group) as columns; -1 for any other item (4 and 8 are separators). The
// menu sorts as a first click on that column does.
int columnOfSortItem(int item);

} // namespace EntrySort
