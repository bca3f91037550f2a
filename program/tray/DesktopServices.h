// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BrowserServices.h"

#include <QStringList>

#include <memory>

// The desktop services of this computer that the browser capture and launch
// use: the X11 window list and XTest keys (nothing found without X11), the
// clipboard (a QGuiApplication's), programs started detached, and the DDE
// adapter over the installed browsers. Each connection is made on first use.
class DesktopServices
{
public:
    DesktopServices();
    ~DesktopServices();
    DesktopServices(const DesktopServices &) = delete;
    DesktopServices &operator=(const DesktopServices &) = delete;

    BrowserServices services();

    // A program that keeps the clipboard's contents once they are put back
    // (see QtClipboardAccess::setKeeper), for a process that ends soon after.
    void setClipboardKeeper(const QStringList &command);
    // Why contents could not be handed to the keeper; "" when they could.
    QString clipboardKeeperError() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
    QStringList m_clipboardKeeper;
};
