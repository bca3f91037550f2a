// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IndexPanelCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListHost.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "StoreRecording.h"
#include "StoreScreen.h"
#include "ViewState.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <QToolButton>

IndexPanelCommands::IndexPanelCommands(AppState &state, ViewState &view, AdvancedView &advanced,
                                       EntryListHost &lists, StoreScreen &screen, const MainMenus &menus,
                                       QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_view(view)
    , m_advanced(advanced)
    , m_lists(lists)
    , m_screen(screen)
    , m_menus(menus)
{
    IndexPanel *panel = advanced.indexPanel();
    GroupListWidget *groups = panel->groupList();
    connect(groups, &GroupListWidget::groupChosen, this, &IndexPanelCommands::chooseGroupInList);
    connect(groups, &GroupListWidget::groupClicked, this, &IndexPanelCommands::clickGroupInList);
    connect(groups, &GroupListWidget::contextMenuWanted, this, [this](const QPoint &pos) {
        m_lists.UpdateMenus();
        WindowHelpers::popUp(m_menus.mnuIPop, pos);
    });
    connect(panel->modeButton(0), &QPushButton::clicked, this, [this] { stepAdvMode(-1); });
    connect(panel->modeButton(2), &QPushButton::clicked, this, [this] { stepAdvMode(1); });
    connect(panel->modeButton(1), &QPushButton::clicked, this, [this] {
        m_lists.UpdateMenus();
        WindowHelpers::popUp(m_menus.mnuList, QCursor::pos());
    });
    connect(panel->indexButton(0), &QPushButton::clicked, this, [this] { setAllInIndexMask(true); });
    connect(panel->indexButton(1), &QPushButton::clicked, this, [this] { setAllInIndexMask(false); });
    connect(panel->indexButton(2), &QPushButton::clicked, this, &IndexPanelCommands::applyIndexChecks);
    connect(panel->indexButton(3), &QPushButton::clicked, this, &IndexPanelCommands::applyFilterSettings);
    connect(panel->filterSection(), &FilterSection::textMaskEntered, this, [this] { m_lists.RefreshURLPage(); });
    connect(advanced.flipButton(), &QToolButton::clicked, this, [this] {
        setFilterAdvanced(!m_view.filterAdvanced);
        m_lists.activeList()->setFocus();
    });
}

void IndexPanelCommands::setAdvMode(int advMode)
{
    m_view.advMode = advMode;
    m_state.settings.advMode = advMode;
}

void IndexPanelCommands::setFilterAdvanced(bool expanded)
{
    m_view.filterAdvanced = expanded;
    m_state.settings.filterAdvanced = expanded;
    m_screen.buildFilterScrn();
    m_advanced.setMiniIcons(m_state.appFolder, expanded);
}

void IndexPanelCommands::stepAdvMode(int step)
{
    m_advanced.indexPanel()->filterSection()->clearTextMask();
    setAdvMode((m_view.advMode + step + 3) % 3);
    m_screen.fillGroupList(false);
    m_screen.buildFilterScrn();
    m_lists.UpdateMenus();
}

// In the group-list mode a click on a group shows that group, as a choice in
// the Standard tab's combo does: "List All" is cleared. (In the index-mask
// mode the Advanced tab lists the mask whatever "List All" says, and a click
// there only ticks or selects a row.)
void IndexPanelCommands::clickGroupInList()
{
    if (m_view.advMode == ViewState::GroupListMode) {
        m_view.listAll = false;
        m_menus.mnuListAll->setChecked(false);
    }
    chooseGroupInList();
}

void IndexPanelCommands::chooseGroupInList()
{
    m_view.appliedMode = m_view.advMode;
    m_lists.RefreshURLPage();
}

void IndexPanelCommands::setAllInIndexMask(bool inMask)
{
    const StoreRecording recording(m_state, indexMaskText());
    GroupListWidget *groups = m_advanced.indexPanel()->groupList();
    groups->setAllChecked(inMask);
    for (const auto &[number, checked] : groups->checkMarks())
        m_state.store.setGroupInIndexMask(number, inMask);
}

QString IndexPanelCommands::indexMaskText()
{
    return tr("Index Mask");
}

void IndexPanelCommands::applyIndexChecks()
{
    const StoreRecording recording(m_state, indexMaskText());
    for (const auto &[number, checked] : m_advanced.indexPanel()->groupList()->checkMarks())
        m_state.store.setGroupInIndexMask(number, checked);
    m_lists.RefreshURLPage();
}

void IndexPanelCommands::applyFilterSettings()
{
    m_advanced.indexPanel()->filterSection()->applyFilter(m_view.filter);
    m_view.appliedMode = m_view.advMode;
    m_lists.RefreshURLPage();
}
