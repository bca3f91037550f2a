// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ViewFilter.h"

// The main window's view state: which tab and list are shown, the index
// panel's mode, the remembered groups and the filter settings.
struct ViewState
{
    enum Tab { AdvancedTab = 1, StandardTab = 2 };
    enum IndexMode { IndexMaskMode = 0, GroupListMode = 1, FilterMode = 2 };

    int currentTab = AdvancedTab;
    int previousTab = AdvancedTab;
    int activeList = 2;             // 2: the Advanced list, 1: the Standard list
    int advMode = IndexMaskMode;
    int appliedMode = IndexMaskMode;  // the mode in which the filter was last applied
    bool filterAdvanced = true;     // the index panel is expanded
    bool listAll = false;           // "List All" is checked
    bool fullWindow = false;
    int lastIDX1 = 0;               // the group combo's line when the Standard tab was left
    int lastIDX2 = 0;               // the group chosen before the last tab switch
    ViewFilter filter;
};
