// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopServices.h"

#include "BrowserDdeClient.h"
#include "LinuxProgramStarter.h"
#include "QtClipboardAccess.h"
#include "X11DesktopWindows.h"
#include "XTestSyntheticKeys.h"

struct DesktopServices::Parts
{
    X11DesktopWindows windows;
    XTestSyntheticKeys keys;
    QtClipboardAccess clipboard;
    LinuxProgramStarter starter;
    BrowserDdeClient dde {starter};
};

DesktopServices::DesktopServices() = default;
DesktopServices::~DesktopServices() = default;

BrowserServices DesktopServices::services()
{
    if (!m_parts) {
        m_parts = std::make_unique<Parts>();
        m_parts->clipboard.setKeeper(m_clipboardKeeper);
    }
    return {m_parts->windows, m_parts->keys, m_parts->clipboard, m_parts->dde, m_parts->starter};
}

void DesktopServices::setClipboardKeeper(const QStringList &command)
{
    m_clipboardKeeper = command;
    if (m_parts)
        m_parts->clipboard.setKeeper(command);
}

QString DesktopServices::clipboardKeeperError() const
{
    return m_parts ? m_parts->clipboard.keeperError() : QString();
}
