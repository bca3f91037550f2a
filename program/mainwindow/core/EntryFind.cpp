// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryFind.h"

#include "WildcardPattern.h"

namespace EntryFind {

int findRow(int rowCount, int start, Direction direction, const std::function<QString(int row)> &titleOf,
            const QString &text)
{
    if (text.isEmpty())
        return -1;
    const WildcardPattern pattern = WildcardPattern::containing(text);
    const int step = direction == Direction::Down ? 1 : -1;
    for (int row = start + step; row >= 0 && row < rowCount; row += step) {
        if (pattern.matches(titleOf(row)))
            return row;
    }
    return -1;
}

}  // namespace EntryFind
