// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StandardView.h"

#include "EntryListView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

StandardView::StandardView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("standardBox"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QHBoxLayout;
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo1_1"));
    m_combo->setAccessibleName(tr("Group"));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMinimumContentsLength(16);
    m_groupMenu = new QPushButton(tr("Groups"), this);
    m_groupMenu->setObjectName(QStringLiteral("Command1"));
    m_groupMenu->setToolTip(tr("Group commands"));
    m_ratingFilters = new QPushButton(tr("Rating Filters"), this);
    m_ratingFilters->setObjectName(QStringLiteral("Command5"));
    top->addWidget(m_combo, 1);
    top->addWidget(m_groupMenu);
    top->addWidget(m_ratingFilters);
    layout->addLayout(top);
    m_list = new EntryListView(QStringLiteral("ListView1_1"), this);
    layout->addWidget(m_list, 1);
}

int StandardView::selectedGroup() const
{
    return m_combo->currentIndex() >= 0 ? m_combo->currentData().toInt() : -1;
}

bool StandardView::selectGroup(int number)
{
    const int line = m_combo->findData(number);
    if (line < 0)
        return false;
    m_combo->setCurrentIndex(line);
    return true;
}
