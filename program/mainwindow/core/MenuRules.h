// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which of the main window's commands are enabled and shown, decided from
// the number of groups, the rows of the active list, the open dialog, the
// remembered find text, the tab and the index panel's mode.
namespace MenuRules {

struct Inputs
{
    int groupCount = 0;
    int activeRows = 0;
    int dialogState = 0;
    bool findTextEmpty = true;
    int currentTab = 1;
    int advMode = 0;
};

struct States
{
    bool renameGroup = true;      // "&Rename Group" and the group list's "Rename"
    bool removeGroup = true;      // "Remove Group" of the group menu
    bool removeGroupPopup = true; // "Remove" of the group list's menu
    bool addMenu = true;          // "From Browser", "&New Entry"
    bool rateMenu = true;
    bool removeEntries = true;    // "Remove"
    bool edit = true;
    bool openUrls = true;
    bool mergeFrom = true;
    bool move = true;
    bool findMenu = true;
    bool findNext = true;         // "Find Next" and "Find Previous"
    bool sendMenu = true;
    bool groupCommandsVisible = true;

    bool operator==(const States &) const = default;
};

// The states after an update; what a rule does not decide keeps its
// previous state.
States update(const Inputs &inputs, States states);

} // namespace MenuRules
