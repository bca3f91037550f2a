// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAbstractItemView;
class QKeyEvent;
class QPoint;

// The keys that the main window's lists share, and where a pop-up menu that
// the keyboard asks for opens.
namespace ListKeys {

// Ctrl+F, Ctrl+N, Ctrl+P: the find menu's item (0 "Find", 1 "Find Next",
// 2 "Find Previous"); -1 for any other key.
int findItem(const QKeyEvent *event);
// Shift+F10. (The Menu key reaches a list as a context-menu event.)
bool asksForPopUp(const QKeyEvent *event);
// Enter or Return alone: open the current entry.
bool opensEntry(const QKeyEvent *event);
// Delete alone: remove the selected entries.
bool removesEntries(const QKeyEvent *event);
// A printable character typed without Ctrl, Alt or Meta, Space aside (it
// selects): the start of a quick-open search.
bool startsSearch(const QKeyEvent *event);
// Below the current row when it is in view, else the list's top left corner.
QPoint popUpPosition(const QAbstractItemView *list);

}  // namespace ListKeys
