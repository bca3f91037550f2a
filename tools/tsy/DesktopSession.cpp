// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopSession.h"

#include "AppPaths.h"
#include "StoredSettings.h"

#include <QCoreApplication>

QString DesktopSession::keeperArgument()
{
    return QStringLiteral("--keep-clipboard");
}

DesktopSession::DesktopSession(const QString &commandName, QTextStream &err)
    : m_commandName(commandName)
    , m_err(err)
    , m_clipboard(m_desktop.services().clipboard)
{
    m_state.settings = StoredSettings::read().settings;
    m_state.platformId = 2;
    m_desktop.setClipboardKeeper({QCoreApplication::applicationFilePath(), keeperArgument()});
    QString error;
    if (!AppPaths::fillAppPaths(QString(), &error))
        m_err << "tsy " << m_commandName
              << ": the browsers' App Paths entries could not be written: " << error << '\n';
}

BrowserServices DesktopSession::services()
{
    const BrowserServices desktop = m_desktop.services();
    return {desktop.windows, desktop.keys, m_clipboard, desktop.dde, desktop.starter};
}

void DesktopSession::finish()
{
    m_clipboard.putBack();
    if (const QString error = m_desktop.clipboardKeeperError(); !error.isEmpty())
        m_err << "tsy " << m_commandName << ": the clipboard is left as it was only until tsy ends: " << error
              << '\n';
}
