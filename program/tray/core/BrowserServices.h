// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class ClipboardAccess;
class DdeClient;
class DesktopWindows;
class ProgramStarter;
class SyntheticKeys;

// The desktop services that the browser capture and launch work through:
// the real ones in the program and tsy, fakes in the tests.
struct BrowserServices
{
    DesktopWindows &windows;
    SyntheticKeys &keys;
    ClipboardAccess &clipboard;
    DdeClient &dde;
    ProgramStarter &starter;
};
