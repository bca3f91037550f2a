// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class AdvancedView;
class EntryListHost;
class MainMenus;
class QWidget;
class StoreScreen;
struct AppState;
struct ViewState;

// The index panel's controls: the mode arrows and "Menu", the group list's
// choice and pop-up menu, "Set All", "CLR", "Filter", "Apply Filter", the
// text mask's Enter and the flip button; the mode and the filter section's
// size they change.
class IndexPanelCommands : public QObject
{
    Q_OBJECT

public:
    // advanced: the Advanced tab with the panel; window: the parent of these commands.
    IndexPanelCommands(AppState &state, ViewState &view, AdvancedView &advanced, EntryListHost &lists,
                       StoreScreen &screen, const MainMenus &menus, QWidget *window);

    // The index panel's mode (ViewState::AdvMode), kept in the settings too.
    void setAdvMode(int advMode);
    // The filter section expanded or not, kept in the settings too.
    void setFilterAdvanced(bool expanded);

    // The previous (-1) or next (+1) mode; the text mask is emptied.
    void stepAdvMode(int step);
    // "Filter": the checked rows become the index mask, and the list follows.
    void applyIndexChecks();
    // "Apply Filter": the filter section's controls become the filter.
    void applyFilterSettings();
    // "Set All" (true) and "CLR" (false): every row and group.
    void setAllInIndexMask(bool inMask);

private:
    static QString indexMaskText();
    void clickGroupInList();
    void chooseGroupInList();

    AppState &m_state;
    ViewState &m_view;
    AdvancedView &m_advanced;
    EntryListHost &m_lists;
    StoreScreen &m_screen;
    const MainMenus &m_menus;
};
