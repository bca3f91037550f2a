// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CaptureEditor.h"
#include "DesktopServices.h"

#include <QObject>

class EntryDialogCommands;
struct AppState;

// "From Browser" (and Ctrl+B): the page a running browser shows, taken into
// the entry editor in its new-entry mode; accepting it adds the entry as
// "New Entry" does.
class FromBrowserCommand : public QObject, private CaptureEditor
{
    Q_OBJECT

public:
    FromBrowserCommand(AppState &state, EntryDialogCommands &dialogs, QObject *parent);

    // The capture; true when the editor was shown.
    bool getBrowserURL();

private:
    void showNewEntry(const QString &title, const QString &url) override;

    AppState &m_state;
    EntryDialogCommands &m_dialogs;
    DesktopServices m_desktop;
};
