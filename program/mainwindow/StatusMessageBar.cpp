// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusMessageBar.h"

#include <QLabel>

StatusMessageBar::StatusMessageBar(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    m_viewed = new QLabel(this);
    m_viewed->setObjectName(QStringLiteral("StatusBar1_1"));
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("StatusBar1_2"));
    addWidget(m_viewed, 1);
    addWidget(m_total, 1);
}

void StatusMessageBar::showCounts(int viewed, qsizetype total)
{
    m_viewed->setText(tr("Viewed: %1").arg(viewed));
    m_total->setText(tr("Total: %1").arg(total));
}

void StatusMessageBar::showNotes(QStringList notes)
{
    if (!currentMessage().isEmpty())
        notes << currentMessage();
    showMessage(notes.join(QStringLiteral("; ")));
}

void StatusMessageBar::showEvent(QShowEvent *event)
{
    QStatusBar::showEvent(event);
    // The panels are visible again by now: hidden while a message stands.
    hideOrShow();
}
