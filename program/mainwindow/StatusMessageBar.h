// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStatusBar>

// The main window's status bar. A message stands in place of the panels;
// QStatusBar hides them only while it is itself visible, so a message given
// while it was hidden (the window not shown yet, or the full-window view)
// hides them when the bar shows again instead of being drawn over them.
class StatusMessageBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit StatusMessageBar(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
