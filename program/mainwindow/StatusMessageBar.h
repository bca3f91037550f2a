// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStatusBar>

class QLabel;

// The main window's status bar: two panels, the entries the list shows and
// those of the store, and a message in their place. QStatusBar hides them
// only while it is itself visible, so a message given while it was hidden
// (the window not shown yet, or the full-window view) hides them when the
// bar shows again instead of being drawn over them.
class StatusMessageBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit StatusMessageBar(QWidget *parent = nullptr);

    // The panels' counts: the rows listed and the entries in the store.
    void showCounts(int viewed, qsizetype total);
    // Notes shown before the message that stands now, all in one message.
    void showNotes(QStringList notes);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_viewed = nullptr;
    QLabel *m_total = nullptr;
};
