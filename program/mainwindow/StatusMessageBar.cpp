// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusMessageBar.h"

StatusMessageBar::StatusMessageBar(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
}

void StatusMessageBar::showEvent(QShowEvent *event)
{
    QStatusBar::showEvent(event);
    // The panels are visible again by now: hidden while a message stands.
    hideOrShow();
}
