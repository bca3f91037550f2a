// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

// The find window's search over the rows of an entry list: the next or
// previous row whose title holds the text, matched as "*TEXT*" under the
// wildcard rules without regard to case.
namespace EntryFind {

enum class Direction { Down = 0, Up = 1 };

// The first row after start (Down) or before it (Up) whose title matches;
// -1 when the search runs off the end of the list first, or text is empty.
int findRow(int rowCount, int start, Direction direction, const std::function<QString(int row)> &titleOf,
            const QString &text);

} // namespace EntryFind
