// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A count with its noun as English writes it: "0 entries", "1 entry",
// "2 entries".
namespace CountText {

QString of(qint64 count, const QString &one, const QString &many);

}  // namespace CountText
