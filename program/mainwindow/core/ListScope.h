// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which groups the active entry list shows: the chosen group, or every group
// whose index-mask flag is set.
struct ListScope
{
    int selectedGroup = -1;  // -1: no group chosen
    bool allGroups = false;

    // The Advanced tab (tab 1) lists all groups of the index mask, except in
    // the group-list mode (advMode 1) where "List All" decides; the Standard
    // tab lists the chosen group unless "List All" is checked.
    static bool allGroupsFor(bool listAllChecked, int currentTab, int advMode)
    {
        bool all = listAllChecked;
        if (currentTab == 1)
            all = true;
        if (advMode == 1 && currentTab == 1 && !listAllChecked)
            all = false;
        return all;
    }
};
