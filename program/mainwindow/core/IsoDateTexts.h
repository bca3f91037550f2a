// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LocalDays.h"

#include <QString>

// YYYY-MM-DD HH:MM:SS texts of many day counts, as EntryRowTexts::isoDateText
// writes them, made without a time zone conversion on the days that keep one
// offset from UTC all day (see LocalDays). One object serves the time zone
// that was the system's when it was made.
class IsoDateTexts
{
public:
    static constexpr int textLength = 19;

    QString text(double dayCount);
    // The same text in ASCII at out, which has room for textLength bytes;
    // returns the end of what was written.
    char *write(char *out, double dayCount);

private:
    LocalDays m_days;
};
