// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"
#include "URLBlock.h"

#include <QString>
#include <QStringList>

class StoreHistory;

// The program's process-wide values: the store, the settings and the state
// the windows share. One instance, owned by the application and handed to
// each window.
struct AppState
{
    // Which modal prompt or window of the main window is open.
    enum DialogState { NoDialog = 0, PromptOpen = 1, EditingEntry = 2, MakingEntry = 3, Finding = 4 };

    URLBlock store;
    // The main window's undo history of changes to the store; null without one.
    StoreHistory *history = nullptr;
    AppSettings settings;

    QString appFolder;   // the program file's folder (pictures, help)
    QString stackBase;   // the default stack file without its extension
    int platformId = 0;

    int dialogState = NoDialog;
    bool hideOnClose = false;      // closing the main window only hides it
    bool mainWindowReady = false;  // the main window has finished loading
    bool isOnline = false;
    int lastConnState = 0;
    QString findText;              // the remembered find text
    QStringList startNotes;        // what the start found, for the main window's status bar
};
