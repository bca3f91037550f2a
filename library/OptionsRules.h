// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

// The options dialog's decisions, free of widgets: which active-icon options
// may be set together, which controls are enabled, where Ctrl+Tab goes, and
// which help page belongs to a tab.
namespace OptionsRules {

// The four active-icon check boxes and whether the three that depend on
// "Enable Active Icon" can be changed.
struct ActiveIconFlags
{
    bool enabled = false;            // "Enable Active Icon" (chkUAI)
    bool alwaysOnTop = false;        // chkIAOT
    bool hideUntilOnline = false;    // chkHUC
    bool noTrayIcon = false;         // chkDTI
    bool dependentsEnabled = false;  // chkIAOT, chkHUC and chkDTI can be changed
};

// Without the active icon there is nothing to replace the tray icon; the
// tray icon cannot be given up for an active icon that waits for a
// connection, so "Hide Active Icon Until Connection" gives way to "Disable
// Tray Icon When Active Icon In Use". The three dependent options can be
// changed only while the active icon is enabled.
ActiveIconFlags updateActiveIconFlags(ActiveIconFlags flags);

// The tab after tab, the first after the last.
int nextTab(int tab, int count);

// The help context of a tab (0 General .. 3 Internet): 1010, 1020, 1030,
// 1040; 0 (the help's first page) for any other number.
int helpContext(int tab);

// The index of the first checked option from the lowest up; fallback when
// none is checked.
int firstChecked(const QList<bool> &checked, int fallback);

// Whether applying changes the floating button: its "enabled" or its
// "only while online" option differs from the settings.
bool floatingButtonChanges(bool enabledChecked, bool aI, bool hideUntilOnlineChecked, bool hAI);

}  // namespace OptionsRules
