// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

class QTreeView;

// The column widths of an entry list. The settings keep them in twips; the
// header works in pixels. A width of 0 means none was stored: the column then
// gets a width that fits its header and a typical cell text in the list's
// current font. The last column takes whatever width is left over.
namespace EntryListColumns {

using Widths = std::array<int, 9>;

// The width in pixels that fits column's header and typical text.
int fittedWidth(const QTreeView *list, int column);

// Sets each column's width from widths (twips), fitted where it is 0.
void apply(QTreeView *list, const Widths &widths, double twipsPerPixel);

// Copies the list's column widths into widths, in twips.
void store(const QTreeView *list, Widths &widths, double twipsPerPixel);

} // namespace EntryListColumns
