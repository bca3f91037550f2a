// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MenuRules.h"

namespace MenuRules {

States update(const Inputs &inputs, States states)
{
    const bool groups = inputs.groupCount > 0;
    states.renameGroup = states.removeGroup = states.removeGroupPopup = states.addMenu = groups;
    if (groups)
        states.rateMenu = true;

    if (groups && inputs.activeRows > 0) {
        // Nothing that changes entries while the entry editor or the find window is open.
        const bool free = inputs.dialogState != 2 && inputs.dialogState != 3 && inputs.dialogState != 4;
        states.removeGroup = states.removeGroupPopup = free;
        states.removeEntries = states.edit = states.openUrls = states.mergeFrom = states.move = free;
        states.findMenu = states.addMenu = states.sendMenu = states.rateMenu = free;
        states.findNext = !inputs.findTextEmpty;
    }
    if (inputs.activeRows == 0)
        states.removeEntries = states.edit = states.findMenu = states.sendMenu = states.move = states.rateMenu = false;
    if (inputs.currentTab == 1 && inputs.advMode != 1)
        states.removeGroup = false;
    states.groupCommandsVisible = inputs.currentTab == 2 || (inputs.currentTab == 1 && inputs.advMode != 2);
    return states;
}

} // namespace MenuRules
