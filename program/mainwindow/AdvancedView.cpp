// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AdvancedView.h"

#include "BankImage.h"
#include "EntryListView.h"
#include "IndexPanel.h"
#include "ProgramPaths.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

AdvancedView::AdvancedView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("advancedBox"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_panel = new IndexPanel(this);
    m_panel->setMinimumWidth(190);
    m_panel->setMaximumWidth(260);
    m_flip = new QToolButton(this);
    m_flip->setObjectName(QStringLiteral("indexFlipBox"));
    m_flip->setToolTip(tr("Show or hide the index panel"));
    m_flip->setAccessibleName(m_flip->toolTip());  // it shows a picture only
    m_flip->setAutoRaise(true);
    m_flip->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_list = new EntryListView(QStringLiteral("ListView1_2"), this);
    layout->addWidget(m_panel);
    layout->addWidget(m_flip);
    layout->addWidget(m_list, 1);
}

void AdvancedView::setPanelExpanded(bool expanded)
{
    m_panel->setVisible(expanded);
}

void AdvancedView::setMiniIcons(const QString &appFolder, bool expanded)
{
    const BankImage picture(
        ProgramPaths::bankFile(appFolder, expanded ? QStringLiteral("b1u") : QStringLiteral("b1d")));
    // A missing picture leaves the button without one. The icon holds the 1x
    // and 2x forms and shows at the picture's own logical size.
    m_flip->setIcon(picture.icon());
    if (!picture.isNull())
        m_flip->setIconSize(picture.size());
    m_flip->setText(picture.isNull() ? (expanded ? QStringLiteral("<") : QStringLiteral(">")) : QString());
}
