// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

// The application settings while the program runs, with the values they have
// when nothing is stored. They are kept as three text values under
// settingsKey in the current user's registry hive: "ID" (tray and connection
// options), "CF" (main window and option flags) and "CH" (column widths).
struct AppSettings
{
    static inline const QString settingsKey = QStringLiteral("SOFTWARE\\Orvane\\Tessaly\\");

    // "ID"
    int mT = 0;          // connection monitoring: 0 RAS, 1 non-RAS, 2 always connected
    int trayTop = 0;     // tray window position, twips
    int trayLeft = 0;
    bool aI = false;     // floating button (the active icon) shown
    bool iAOT = true;    // floating button always on top while online
    int oC = 0;          // auto load upon connection, 0 or 1
    bool dTI = false;    // no tray icon while the floating button is in use
    bool hAI = false;    // floating button only while online

    // "CF"
    bool uSK = false;    // IE3 compatibility (keystrokes)
    bool mAOT = false;   // main window always on top
    bool bFW = false;    // main window in full-window mode
    bool filterAdvanced = true;  // the index/filter panel is expanded
    bool aLS = true;     // auto load settings
    bool aSS = true;     // auto save settings
    bool aLU = true;     // auto load URLs
    bool aSU = true;     // auto save URLs
    int pB = 0;          // preferred browser: 0 Internet Explorer, 1 Netscape, 2 Opera
    int tP = 0;          // tab placement: 0 top, 1 bottom, 2 left, 3 right
    int currentTab = 1;  // 1 Advanced, 2 Standard
    int advMode = 1;     // index panel mode: 0 index mask, 1 group list, 2 filters
    int lastIDX2 = 0;    // the remembered group
    int mainTop = 0;     // the main window's normal rectangle, twips
    int mainLeft = 0;
    int mainWidth = 9600;
    int mainHeight = 7200;
    int slideMask = 0;   // bit i: filter section i open
    int cAF = 0;         // added URLs also as shortcuts: 0 no, 1 group folder, 2 root

    // "CH": column widths of the entry lists, twips; 0 (nothing stored) gives
    // a width that fits the column's header and typical text in the list's font
    std::array<int, 9> columnWidths {};
};
