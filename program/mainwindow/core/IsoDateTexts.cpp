// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IsoDateTexts.h"

#include "DayCount.h"
#include "EntryRowTexts.h"

#include <algorithm>

namespace {

char *writeTwoDigits(char *out, int value)
{
    out[0] = char('0' + value / 10);
    out[1] = char('0' + value % 10);
    return out + 2;
}

}  // namespace

char *IsoDateTexts::write(char *out, double dayCount)
{
    qint64 dayNumber = 0;
    int second = 0;
    DayCount::toDayAndSecond(dayCount, dayNumber, second);
    const LocalDays::Day &found = m_days.day(dayNumber);
    if (!found.steady) {
        const QString text = EntryRowTexts::isoDateText(dayCount);
        const qsizetype length = std::min<qsizetype>(text.size(), textLength);
        for (qsizetype i = 0; i < length; ++i)
            *out++ = text.at(i).toLatin1();
        return out;
    }
    char *p = std::copy(found.date.begin(), found.date.end(), out);
    *p++ = ' ';
    p = writeTwoDigits(p, second / 3600);
    *p++ = ':';
    p = writeTwoDigits(p, second / 60 % 60);
    *p++ = ':';
    return writeTwoDigits(p, second % 60);
}

QString IsoDateTexts::text(double dayCount)
{
    std::array<char, textLength> ascii;
    const char *const end = write(ascii.data(), dayCount);
    return QString::fromLatin1(ascii.data(), end - ascii.data());
}
