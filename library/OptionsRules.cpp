// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsRules.h"

namespace OptionsRules {

ActiveIconFlags updateActiveIconFlags(ActiveIconFlags flags)
{
    if (!flags.enabled && flags.noTrayIcon)
        flags.noTrayIcon = false;
    if (flags.noTrayIcon && flags.hideUntilOnline)
        flags.hideUntilOnline = false;
    flags.dependentsEnabled = flags.enabled;
    return flags;
}

int nextTab(int tab, int count)
{
    return count > 0 ? (tab + 1) % count : 0;
}

int helpContext(int tab)
{
    return tab >= 0 && tab <= 3 ? 1010 + 10 * tab : 0;
}

int firstChecked(const QList<bool> &checked, int fallback)
{
    const qsizetype index = checked.indexOf(true);
    return index >= 0 ? int(index) : fallback;
}

bool floatingButtonChanges(bool enabledChecked, bool aI, bool hideUntilOnlineChecked, bool hAI)
{
    return enabledChecked != aI || hideUntilOnlineChecked != hAI;
}

}  // namespace OptionsRules
