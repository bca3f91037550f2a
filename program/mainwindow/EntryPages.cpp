// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryPages.h"

#include "AdvancedView.h"
#include "DayCount.h"
#include "EntryFilter.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupTable.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "StandardView.h"
#include "URLBlock.h"
#include "ViewState.h"
#include "WaitCursor.h"
#include "WindowHelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>

EntryPages::EntryPages(URLBlock &store, const ViewState &view, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_view(view)
{
    auto *layout = new QBoxLayout(QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tbStrip"));
    m_tabs->addTab(tr("Advanced"));
    m_tabs->setTabToolTip(0, tr("Advanced URL View Pane"));
    m_tabs->addTab(tr("Standard", "the tab of the simple view"));
    m_tabs->setTabToolTip(1, tr("Standard URL View Pane"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    // The wheel would move the tab strip away from the page it shows.
    m_tabs->installEventFilter(this);
    m_pages = new QStackedWidget(this);
    m_advanced = new AdvancedView(m_pages);
    m_standard = new StandardView(m_pages);
    m_pages->addWidget(m_advanced);
    m_pages->addWidget(m_standard);
    layout->addWidget(m_tabs);
    layout->addWidget(m_pages, 1);

    m_advancedModel = new EntryListModel(store, this);
    m_standardModel = new EntryListModel(store, this);
    m_advanced->list()->setModel(m_advancedModel);
    m_standard->list()->setModel(m_standardModel);
}

EntryListModel *EntryPages::activeModel() const
{
    return m_view.activeList == 1 ? m_standardModel : m_advancedModel;
}

EntryListView *EntryPages::activeList() const
{
    return m_view.activeList == 1 ? m_standard->list() : m_advanced->list();
}

bool EntryPages::refillActiveList()
{
    const GroupTable &groups = m_store.IDXList();
    const int selected = selectedGroup();
    if (!EntryFilter::listIsRefilled(groups, selected))
        return false;
    const WaitCursor wait;
    ViewFilter filter = m_view.filter;
    filter.textMask = m_advanced->indexPanel()->filterSection()->textMask();
    const ListScope scope {selected, ListScope::allGroupsFor(m_view.listAll, m_view.currentTab, m_view.advMode)};
    const EntryFilter decision(filter, scope, groups, DayCount::now());
    activeModel()->setEntries(decision.shownEntries(m_store.urlDatas()));
    return true;
}

void EntryPages::applyColumnWidths(const EntryListColumns::Widths &widths)
{
    EntryListColumns::apply(activeList(), widths, WindowHelpers::twipsPerPixel(this));
}

void EntryPages::storeColumnWidths(EntryListColumns::Widths &widths) const
{
    EntryListColumns::store(activeList(), widths, WindowHelpers::twipsPerPixel(this));
}

void EntryPages::showPage(int tab)
{
    m_tabs->setCurrentIndex(tab - 1);
    if (tab == ViewState::AdvancedTab)
        m_pages->setCurrentWidget(m_advanced);
    else
        m_pages->setCurrentWidget(m_standard);
}

void EntryPages::setTabPlacement(int placement)
{
    static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth, QTabBar::RoundedWest,
                                            QTabBar::RoundedEast};
    static const QBoxLayout::Direction directions[] = {QBoxLayout::TopToBottom, QBoxLayout::BottomToTop,
                                                       QBoxLayout::LeftToRight, QBoxLayout::RightToLeft};
    if (placement < 0 || placement > 3)
        return;
    m_tabs->setShape(shapes[placement]);
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->setDirection(directions[placement]);
}

void EntryPages::showControls(bool shown)
{
    m_tabs->setVisible(shown);
    m_advanced->flipButton()->setVisible(shown);
    m_advanced->setPanelExpanded(shown && m_view.filterAdvanced);
    for (QWidget *control : {static_cast<QWidget *>(m_standard->groupCombo()),
                             static_cast<QWidget *>(m_standard->groupMenuButton()),
                             static_cast<QWidget *>(m_standard->ratingFilterButton())})
        control->setVisible(shown);
}

void EntryPages::clearList(int tab)
{
    (tab == ViewState::AdvancedTab ? m_advancedModel : m_standardModel)->clear();
}

void EntryPages::clearLists()
{
    m_standard->groupCombo()->clear();
    m_standardModel->clear();
    m_advancedModel->clear();
}

int EntryPages::selectedGroup() const
{
    if (m_view.currentTab == ViewState::AdvancedTab) {
        const GroupListWidget *groups = m_advanced->indexPanel()->groupList();
        return groups->topLevelItemCount() > 0 ? groups->selectedGroup() : -1;
    }
    return m_standard->selectedGroup();
}

void EntryPages::selectGroup(int group)
{
    if (m_view.currentTab == ViewState::AdvancedTab)
        m_advanced->indexPanel()->groupList()->selectGroup(group);
    else
        m_standard->selectGroup(group);
}

void EntryPages::fillGroupCombo()
{
    QComboBox *combo = m_standard->groupCombo();
    const int chosen = m_standard->selectedGroup();
    combo->clear();
    const GroupTable &groups = m_store.IDXList();
    for (int i = 0; i < groups.groupCount(); ++i)
        combo->addItem(groups.at(i).name, groups.at(i).number);
    // The combo keeps its group (so it names the group whose rows are
    // listed), or shows none; it does not jump to the first line.
    if (!m_standard->selectGroup(chosen))
        combo->setCurrentIndex(-1);
}

void EntryPages::fillGroupList(bool force)
{
    const GroupTable &groups = m_store.IDXList();
    if (!force && !(groups.groupCount() > 0 && m_view.advMode < ViewState::FilterMode))
        return;
    GroupListWidget *list = m_advanced->indexPanel()->groupList();
    list->fill(groups, m_view.advMode == ViewState::IndexMaskMode);
    // The remembered group, or the first when it is gone.
    if (list->topLevelItemCount() > 0 && !list->selectGroup(m_view.lastIDX2))
        list->selectGroup(list->topLevelItem(0)->data(0, GroupListWidget::NumberRole).toInt());
}

void EntryPages::buildFilterScrn()
{
    m_advanced->setPanelExpanded(m_view.filterAdvanced && !m_view.fullWindow);
    m_advanced->indexPanel()->buildFilterScrn(m_view.advMode, m_view.filter);
}

bool EntryPages::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabs && event->type() == QEvent::Wheel)
        return true;
    return QWidget::eventFilter(watched, event);
}
