// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DialogText.h"

#include <limits>

namespace DialogText {

QString trimBlanks(const QString &text)
{
    const QChar blank = QLatin1Char(' ');
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == blank)
        ++first;
    while (end > first && text.at(end - 1) == blank)
        --end;
    if (first == 0 && end == text.size())
        return text;
    return text.mid(first, end - first);
}

std::optional<int> countValue(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok || number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return number;
}

}  // namespace DialogText
