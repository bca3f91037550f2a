// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The layouts of the three settings values, both ways. Parsing never fails:
// a field that is empty, missing, not a number or out of range holds nothing
// (std::nullopt) and the setting behind it keeps its value.
namespace SettingsCodec {

// "ID": mT, trayTop, trayLeft, "0" when the floating button is shown (else
// "1"), iAOT as "1"/"0", oC, dTI and hAI as "True"/"False".
struct IdFields
{
    bool nothingStored = true;  // field 0 empty: the program's first start
    int fieldCount = 0;
    int mT = 0;                 // 0 when not a number from 0 to 3
    std::optional<int> trayTop;
    std::optional<int> trayLeft;
    std::optional<bool> activeIconShown;  // field 3: "0" shown, anything else not
    std::optional<bool> iAOT;
    std::optional<int> oC;
    std::optional<bool> dTI;
    std::optional<bool> hAI;
};

// "CF", fields 0 to 12, each followed by a blank.
struct CfFields
{
    std::optional<int> flagWord;      // 0
    std::optional<int> mT;            // 1 (written only)
    std::optional<int> pB;            // 2
    std::optional<int> tP;            // 3
    std::optional<int> currentTab;    // 4, read by its leading number
    std::optional<int> advMode;       // 5
    std::optional<int> selectedGroup; // 6
    std::optional<int> mainTop;       // 7
    std::optional<int> mainLeft;      // 8
    std::optional<int> mainWidth;     // 9
    std::optional<int> mainHeight;    // 10
    std::optional<int> slideMask;     // 11
    std::optional<int> cAF;           // 12
    // Field 6 as the remembered group reads it: its leading number, 0 when empty.
    int rememberedGroup = 0;
};

// Flag-word values of "CF" field 0.
enum FlagWordBits {
    UseKeystrokes = 1,        // uSK
    MainAlwaysOnTop = 2,      // mAOT
    FullWindow = 4,           // bFW
    FilterPanelExpanded = 8,  // filterAdvanced
    NoAutoLoadSettings = 16,  // aLS off
    NoAutoSaveSettings = 32,  // aSS off
    NoAutoLoadUrls = 64,      // aLU off
    NoAutoSaveUrls = 128,     // aSU off
};

// What the main window contributes to "CF" and "CH" when it is saved.
struct MainWindowLayout
{
    int top = 0;  // the normal rectangle, twips
    int left = 0;
    int width = 0;
    int height = 0;
    int currentTab = 1;
    int advMode = 1;
    int tabPlacement = 0;
    int selectedGroup = -1;
    bool fullWindow = false;
    bool filterAdvanced = true;
    QList<bool> slideButtonsOut;
    QList<int> columnWidths;  // of the active entry list, twips
};

IdFields parseId(const QString &value);
QString composeId(const AppSettings &settings);

CfFields parseCf(const QString &value);
QString composeCf(const AppSettings &settings, const MainWindowLayout &layout);

// At most nine widths; a field that holds nothing is nullopt.
std::array<std::optional<int>, 9> parseCh(const QString &value);
QString composeCh(const QList<int> &columnWidths);

int flagWord(const AppSettings &settings, bool fullWindow, bool filterAdvanced);
// The four auto options, set exactly when their bit is absent.
void applyAutoOptions(AppSettings &settings, int flagWord);
int slideMask(const QList<bool> &slideButtonsOut);

} // namespace SettingsCodec
