// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Object names of controls that repeat by index: the name, "_" and the index
// ("Text1_0", "Combo1_1").
inline QString indexedName(const char *name, int index)
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(index);
}
