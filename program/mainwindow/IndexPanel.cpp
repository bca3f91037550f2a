// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IndexPanel.h"

#include "FilterSection.h"
#include "GroupListWidget.h"
#include "ViewState.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

IndexPanel::IndexPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("filterBox"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *modes = new QHBoxLayout;
    const QStringList modeCaptions = {QStringLiteral("<"), tr("Menu"), QStringLiteral(">")};
    for (int i = 0; i < modeCaptions.size(); ++i) {
        m_modeButtons << button(QStringLiteral("Command3_%1").arg(i), modeCaptions[i], this);
        modes->addWidget(m_modeButtons.last(), i == 1 ? 1 : 0);
    }
    // "<" and ">" are named by what they do.
    for (const int i : {0, 2}) {
        m_modeButtons[i]->setToolTip(i == 0 ? tr("Previous panel") : tr("Next panel"));
        m_modeButtons[i]->setAccessibleName(m_modeButtons[i]->toolTip());
    }
    layout->addLayout(modes);

    m_groupList = new GroupListWidget(this);
    layout->addWidget(m_groupList, 1);
    m_filters = new FilterSection(this);
    layout->addWidget(m_filters, 1);

    auto *buttons = new QHBoxLayout;
    const QStringList captions = {tr("Set All", "check every group"), tr("CLR", "uncheck every group"), tr("Filter"), tr("Apply Filter")};
    for (int i = 0; i < captions.size(); ++i) {
        m_indexButtons << button(QStringLiteral("cmdIndex_%1").arg(i), captions[i], this);
        buttons->addWidget(m_indexButtons.last());
    }
    layout->addLayout(buttons);
    buildFilterScrn(ViewState::IndexMaskMode, ViewFilter());
}

QPushButton *IndexPanel::indexButton(int index) const
{
    return m_indexButtons.value(index);
}

QPushButton *IndexPanel::modeButton(int index) const
{
    return m_modeButtons.value(index);
}

void IndexPanel::buildFilterScrn(int advMode, const ViewFilter &filter)
{
    const bool filters = advMode == ViewState::FilterMode;
    m_groupList->setVisible(!filters);
    m_groupList->setHeaderLabels({advMode == ViewState::GroupListMode ? tr("Group List") : tr("Index Mask")});
    m_filters->setVisible(filters);
    for (int i = 0; i < 3; ++i)
        m_indexButtons[i]->setVisible(advMode == ViewState::IndexMaskMode);
    m_indexButtons[3]->setVisible(filters);
    if (filters)
        m_filters->loadFilter(filter);
}
