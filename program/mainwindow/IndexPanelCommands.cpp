// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IndexPanelCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListView.h"
#include "FilterSection.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "StoreRecording.h"
#include "ViewState.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <QToolButton>

IndexPanelCommands::IndexPanelCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    AdvancedView *advanced = window.advancedView();
    IndexPanel *panel = advanced->indexPanel();
    GroupListWidget *groups = panel->groupList();
    connect(groups, &GroupListWidget::groupChosen, this, &IndexPanelCommands::chooseGroupInList);
    connect(groups, &GroupListWidget::groupClicked, this, &IndexPanelCommands::clickGroupInList);
    connect(groups, &GroupListWidget::contextMenuWanted, this, [this](const QPoint &pos) {
        m_window.UpdateMenus();
        WindowHelpers::popUp(m_window.menus()->mnuIPop, pos);
    });
    connect(panel->modeButton(0), &QPushButton::clicked, this, [this] { stepAdvMode(-1); });
    connect(panel->modeButton(2), &QPushButton::clicked, this, [this] { stepAdvMode(1); });
    connect(panel->modeButton(1), &QPushButton::clicked, this, [this] {
        m_window.UpdateMenus();
        WindowHelpers::popUp(m_window.menus()->mnuList, QCursor::pos());
    });
    connect(panel->indexButton(0), &QPushButton::clicked, this, [this] { setAllInIndexMask(true); });
    connect(panel->indexButton(1), &QPushButton::clicked, this, [this] { setAllInIndexMask(false); });
    connect(panel->indexButton(2), &QPushButton::clicked, this, &IndexPanelCommands::applyIndexChecks);
    connect(panel->indexButton(3), &QPushButton::clicked, this, &IndexPanelCommands::applyFilterSettings);
    connect(panel->filterSection(), &FilterSection::textMaskEntered, this, [this] { m_window.RefreshURLPage(); });
    connect(advanced->flipButton(), &QToolButton::clicked, this, [this] {
        m_window.setFilterAdvanced(!m_window.view().filterAdvanced);
        m_window.activeList()->setFocus();
    });
}

void IndexPanelCommands::stepAdvMode(int step)
{
    m_window.advancedView()->indexPanel()->filterSection()->clearTextMask();
    m_window.setAdvMode((m_window.view().advMode + step + 3) % 3);
    m_window.fillGroupList(false);
    m_window.buildFilterScrn();
    m_window.UpdateMenus();
}

// In the group-list mode a click on a group shows that group, as a choice in
// the Standard tab's combo does: "List All" is cleared. (In the index-mask
// mode the Advanced tab lists the mask whatever "List All" says, and a click
// there only ticks or selects a row.)
void IndexPanelCommands::clickGroupInList()
{
    if (m_window.view().advMode == ViewState::GroupListMode) {
        m_window.view().listAll = false;
        m_window.menus()->mnuListAll->setChecked(false);
    }
    chooseGroupInList();
}

void IndexPanelCommands::chooseGroupInList()
{
    m_window.view().appliedMode = m_window.view().advMode;
    m_window.RefreshURLPage();
}

void IndexPanelCommands::setAllInIndexMask(bool inMask)
{
    const StoreRecording recording(m_window.state(), indexMaskText());
    GroupListWidget *groups = m_window.advancedView()->indexPanel()->groupList();
    groups->setAllChecked(inMask);
    for (const auto &[number, checked] : groups->checkMarks())
        m_window.state().store.setGroupInIndexMask(number, inMask);
}

QString IndexPanelCommands::indexMaskText()
{
    return tr("Index Mask");
}

void IndexPanelCommands::applyIndexChecks()
{
    const StoreRecording recording(m_window.state(), indexMaskText());
    for (const auto &[number, checked] : m_window.advancedView()->indexPanel()->groupList()->checkMarks())
        m_window.state().store.setGroupInIndexMask(number, checked);
    m_window.RefreshURLPage();
}

void IndexPanelCommands::applyFilterSettings()
{
    m_window.advancedView()->indexPanel()->filterSection()->applyFilter(m_window.view().filter);
    m_window.view().appliedMode = m_window.view().advMode;
    m_window.RefreshURLPage();
}
