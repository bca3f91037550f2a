// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListModel.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "StandardView.h"
#include "StoreRecording.h"

#include <QAction>
#include <QComboBox>

GroupCommands::GroupCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    MainMenus *menus = window.menus();
    connect(menus->mnuNewGroup, &QAction::triggered, this, &GroupCommands::newGroup);
    connect(menus->mnuIPopNew, &QAction::triggered, this, &GroupCommands::newGroup);
    connect(menus->mnuRenameGroup, &QAction::triggered, this, [this] {
        if (m_window.view().currentTab == ViewState::StandardTab)
            renameFromCombo();
        else
            renameFromGroupList();
    });
    connect(menus->mnuIPopRename, &QAction::triggered, this, &GroupCommands::renameFromGroupList);
    connect(menus->mnuRemoveGroup, &QAction::triggered, this, [this] { removeCurrentGroup(true); });
    connect(menus->mnuIPopRemove, &QAction::triggered, this, [this] { removeCurrentGroup(true); });
}

QString GroupCommands::renameText()
{
    return tr("Rename Group");
}

QString GroupCommands::askGroupName(const QString &title, const QString &defaultText)
{
    const ModalScope modal(m_window.state(), &m_window);
    return m_window.prompter().inputBox(tr("Enter Group Name: "), title, defaultText);
}

void GroupCommands::newGroup()
{
    const QString name = askGroupName(tr("New Group.."), QString());
    if (name.isEmpty())
        return;
    AppState &state = m_window.state();
    const StoreRecording recording(state, tr("New Group"));
    state.store.addGroup(name);
    const int number = state.store.IDXList().groupCount() - 1;
    if (m_window.view().currentTab == ViewState::AdvancedTab) {
        GroupListWidget *list = m_window.advancedView()->indexPanel()->groupList();
        list->appendGroup(name, number, true, m_window.view().advMode == ViewState::IndexMaskMode);
        list->selectGroup(number);
    } else {
        m_window.standardView()->groupCombo()->addItem(name, number);
        m_window.standardView()->selectGroup(number);
        // Choosing the new line is a group choice like the user's.
        m_window.chooseGroupInCombo();
        return;
    }
    m_window.RefreshURLPage();
    m_window.UpdatePanel();
}

void GroupCommands::renameFromCombo()
{
    QComboBox *combo = m_window.standardView()->groupCombo();
    const int number = m_window.standardView()->selectedGroup();
    if (number < 0)
        return;
    const QString name = askGroupName(tr("Rename Group.."), combo->currentText());
    const StoreRecording recording(m_window.state(), renameText());
    if (name.isEmpty() || !m_window.state().store.renameGroup(number, name))
        return;
    combo->setItemText(combo->currentIndex(), name);
    m_window.activeModel()->refreshTexts();
}

void GroupCommands::renameFromGroupList()
{
    GroupListWidget *list = m_window.advancedView()->indexPanel()->groupList();
    const int number = list->selectedGroup();
    if (number < 0)
        return;
    const QString name = askGroupName(tr("Rename Group.."), list->selectedItems().first()->text(0));
    const StoreRecording recording(m_window.state(), renameText());
    // Renaming here counts as a change, so the new name is saved.
    if (name.isEmpty() || !m_window.state().store.renameGroup(number, name))
        return;
    list->renameGroup(number, name);
    m_window.activeModel()->refreshTexts();
}

void GroupCommands::removeCurrentGroup(bool promptUser)
{
    AppState &state = m_window.state();
    const int group = m_window.getCurrentIDX();
    if (group < 0 || !state.store.IDXList().isGroup(group))
        return;
    // Asked whenever the group holds entries, whether the filters show them or not.
    const qsizetype entries = state.store.entryCountOfGroup(group);
    if (promptUser && entries > 0) {
        const QString text = tr("Remove Selected Group?") + QStringLiteral("\r\n\r\n")
            + state.store.IDXList().nameOf(group) + QStringLiteral("\r\n\r\n")
            + tr("This will Delete %n contained entry(s).", nullptr, int(entries));
        Prompter::Answer answer;
        {
            const ModalScope modal(state, &m_window);
            answer = m_window.prompter().messageBox(text, Prompter::Buttons::YesNo, Prompter::Icon::Exclamation,
                                                    QStringLiteral("Tessaly"));
        }
        if (answer != Prompter::Answer::Yes)
            return;
    }
    const StoreRecording recording(state, tr("Remove Group"));
    state.store.removeGroup(group);
    const int remaining = state.store.IDXList().groupCount();
    const int next = qMin(group, remaining - 1);  // the group now in its place, or the last
    if (m_window.view().currentTab == ViewState::AdvancedTab) {
        GroupListWidget *list = m_window.advancedView()->indexPanel()->groupList();
        list->removeGroup(group);
        m_window.activeModel()->clear();
        if (next >= 0)
            list->selectGroup(next);
    } else {
        m_window.buildMainScrn();
        if (next >= 0)
            m_window.standardView()->selectGroup(next);
        else
            m_window.activeModel()->clear();
    }
    m_window.RefreshURLPage();
    m_window.UpdatePanel();
}
