// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SaveAtExit.h"

#include "TrayWindow.h"

#include <cstdlib>
#include <utility>

namespace {

TrayWindow *armedTray = nullptr;
bool handlerRegistered = false;

}  // namespace

SaveAtExit::SaveAtExit(TrayWindow &tray)
{
    armedTray = &tray;
    // An exit handler cannot be taken back: it is registered once and does
    // nothing while no tray window is armed.
    if (!handlerRegistered)
        handlerRegistered = std::atexit(&SaveAtExit::run) == 0;
}

SaveAtExit::~SaveAtExit()
{
    armedTray = nullptr;
}

void SaveAtExit::run()
{
    if (TrayWindow *tray = std::exchange(armedTray, nullptr))
        tray->saveAtExit();
}
