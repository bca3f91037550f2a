// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FromBrowserCommand.h"

#include "AppState.h"
#include "BrowserCapture.h"
#include "EntryDialogCommands.h"

FromBrowserCommand::FromBrowserCommand(AppState &state, EntryDialogCommands &dialogs, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
{ }

bool FromBrowserCommand::getBrowserURL()
{
    BrowserCapture capture(m_state, m_desktop.services(), *this);
    return capture.getBrowserURL();
}

void FromBrowserCommand::showNewEntry(const QString &title, const QString &url)
{
    m_dialogs.newEntryWith(title, url);
}
