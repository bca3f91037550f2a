// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The settings that the options dialog edits, as its controls hold them:
// choices as the index of the checked option button, flags as check marks.
struct OptionsValues
{
    int pB = 0;   // preferred browser: 0 the default browser, 1 Firefox, 2 Opera
    int tP = 0;   // tab placement: 0 top, 1 bottom, 2 left, 3 right
    int mT = 0;   // connection monitoring: 0 VPN and dial-up, 1 any network, 2 always connected
    int cAF = 0;  // added URLs: 0 stored locally, 1 also in a group folder, 2 also in the root folder
    bool oC = false;
    bool uSK = false;
    bool aLU = false;
    bool aSU = false;
    bool aLS = false;
    bool aSS = false;
    bool mAOT = false;
    bool iAOT = false;
    bool dTI = false;
    bool hAI = false;
    bool aI = false;
};
