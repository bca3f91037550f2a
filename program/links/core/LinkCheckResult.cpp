// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkCheckResult.h"

QString LinkCheckResult::outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return QStringLiteral("ok");
    case Outcome::Moved:
        return QStringLiteral("moved");
    case Outcome::Gone:
        return QStringLiteral("gone");
    case Outcome::Error:
        return QStringLiteral("error");
    case Outcome::TimedOut:
        return QStringLiteral("timeout");
    case Outcome::NotChecked:
        break;
    }
    return QStringLiteral("not-checked");
}
