// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the commands that load a whole store in place of the shown one need
// of the main window besides its lists (EntryListHost): emptying what is
// shown before the load, building the group lines again after it, and the
// layout settings that "Load All" and "Save All" take along. The main window
// implements it.
class StoreScreen
{
public:
    virtual ~StoreScreen() = default;

    // Empties the entry lists and the group combo.
    virtual void clearEntryLists() = 0;
    // The group last chosen, as the settings hold it, chosen again.
    virtual void restoreGroupSelection() = 0;
    // The Standard tab's group combo, from the group table.
    virtual void buildMainScrn() = 0;
    // The Advanced tab's filter controls, from the view state.
    virtual void buildFilterScrn() = 0;
    // The index panel's group list (force: whatever the mode).
    virtual void fillGroupList(bool force) = 0;
    virtual void loadConfig() = 0;
    virtual void saveConfig() = 0;
};
