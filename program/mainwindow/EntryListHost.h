// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class EntryListModel;
class EntryListView;
class QString;

// What the window's commands need of the main window: the active list, the
// current group and the index panel's mode, and the few updates they ask
// for. The main window implements it; tests can too.
class EntryListHost
{
public:
    virtual ~EntryListHost() = default;

    virtual EntryListView *activeList() const = 0;
    virtual EntryListModel *activeModel() const = 0;
    // The group whose entries the list shows; negative when none is chosen.
    virtual int getCurrentIDX() const = 0;
    // The index panel's mode when the filter was last applied or the group
    // list last clicked (1: group list).
    virtual int appliedIndexMode() const = 0;
    // Chooses a group in the tab shown (group list row or combo line).
    virtual void selectGroupItem(int group) = 0;
    virtual void RefreshURLPage() = 0;
    // The Standard tab's combo choice taken as the user's: "List All" is
    // cleared and the list refilled.
    virtual void chooseGroupInCombo() = 0;
    // The group lines shown again (and the list, when refill) after a change
    // that may have added or removed groups.
    virtual void fullScrnRefresh(bool refill) = 0;
    // The shown tab's group lines alone filled again from the group table.
    virtual void refillGroupLines() = 0;
    virtual void UpdatePanel() = 0;
    // The menus' enabled states from the store and the view (before a pop-up).
    virtual void UpdateMenus() = 0;
    virtual void showStatus(const QString &text) = 0;
    // True while a store is being loaded: commands wait until it is in.
    virtual bool isLoading() const = 0;
};
