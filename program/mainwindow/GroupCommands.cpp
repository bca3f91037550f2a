// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "EntryListHost.h"
#include "EntryListModel.h"
#include "EntryPages.h"
#include "GroupListWidget.h"
#include "IndexPanel.h"
#include "MainMenus.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "StandardView.h"
#include "StoreRecording.h"
#include "ViewState.h"

#include <QAction>
#include <QComboBox>

GroupCommands::GroupCommands(AppState &state, Prompter &prompter, EntryListHost &lists, EntryPages &pages,
                             const ViewState &view, const MainMenus &menus, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_lists(lists)
    , m_pages(pages)
    , m_view(view)
    , m_window(window)
{
    connect(menus.mnuNewGroup, &QAction::triggered, this, &GroupCommands::newGroup);
    connect(menus.mnuIPopNew, &QAction::triggered, this, &GroupCommands::newGroup);
    connect(menus.mnuRenameGroup, &QAction::triggered, this, [this] {
        if (m_view.currentTab == ViewState::StandardTab)
            renameFromCombo();
        else
            renameFromGroupList();
    });
    connect(menus.mnuIPopRename, &QAction::triggered, this, &GroupCommands::renameFromGroupList);
    connect(menus.mnuRemoveGroup, &QAction::triggered, this, [this] { removeCurrentGroup(true); });
    connect(menus.mnuIPopRemove, &QAction::triggered, this, [this] { removeCurrentGroup(true); });
}

QString GroupCommands::renameText()
{
    return tr("Rename Group");
}

QString GroupCommands::askGroupName(const QString &title, const QString &defaultText)
{
    const ModalScope modal(m_state, m_window);
    return m_prompter.inputBox(tr("Enter Group Name: "), title, defaultText);
}

void GroupCommands::newGroup()
{
    const QString name = askGroupName(tr("New Group.."), QString());
    if (name.isEmpty())
        return;
    const StoreRecording recording(m_state, tr("New Group"));
    m_state.store.addGroup(name);
    const int number = m_state.store.IDXList().groupCount() - 1;
    if (m_view.currentTab == ViewState::AdvancedTab) {
        GroupListWidget *list = m_pages.advancedView()->indexPanel()->groupList();
        list->appendGroup(name, number, true, m_view.advMode == ViewState::IndexMaskMode);
        list->selectGroup(number);
    } else {
        m_pages.standardView()->groupCombo()->addItem(name, number);
        m_pages.standardView()->selectGroup(number);
        // Choosing the new line is a group choice like the user's.
        m_lists.chooseGroupInCombo();
        return;
    }
    m_lists.RefreshURLPage();
    m_lists.UpdatePanel();
}

void GroupCommands::renameFromCombo()
{
    QComboBox *combo = m_pages.standardView()->groupCombo();
    const int number = m_pages.standardView()->selectedGroup();
    if (number < 0)
        return;
    const QString name = askGroupName(tr("Rename Group.."), combo->currentText());
    const StoreRecording recording(m_state, renameText());
    if (name.isEmpty() || !m_state.store.renameGroup(number, name))
        return;
    combo->setItemText(combo->currentIndex(), name);
    m_lists.activeModel()->refreshTexts();
}

void GroupCommands::renameFromGroupList()
{
    GroupListWidget *list = m_pages.advancedView()->indexPanel()->groupList();
    const int number = list->selectedGroup();
    if (number < 0)
        return;
    const QString name = askGroupName(tr("Rename Group.."), list->selectedItems().first()->text(0));
    const StoreRecording recording(m_state, renameText());
    // Renaming here counts as a change, so the new name is saved.
    if (name.isEmpty() || !m_state.store.renameGroup(number, name))
        return;
    list->renameGroup(number, name);
    m_lists.activeModel()->refreshTexts();
}

void GroupCommands::removeCurrentGroup(bool promptUser)
{
    const int group = m_lists.getCurrentIDX();
    if (group < 0 || !m_state.store.IDXList().isGroup(group))
        return;
    // Asked whenever the group holds entries, whether the filters show them or not.
    const qsizetype entries = m_state.store.entryCountOfGroup(group);
    if (promptUser && entries > 0) {
        const QString text = tr("Remove Selected Group?") + QStringLiteral("\r\n\r\n")
            + m_state.store.IDXList().nameOf(group) + QStringLiteral("\r\n\r\n")
            + tr("This will Delete %n contained entry(s).", nullptr, int(entries));
        Prompter::Answer answer;
        {
            const ModalScope modal(m_state, m_window);
            answer = m_prompter.messageBox(text, Prompter::Buttons::YesNo, Prompter::Icon::Exclamation,
                                           QStringLiteral("Tessaly"));
        }
        if (answer != Prompter::Answer::Yes)
            return;
    }
    const StoreRecording recording(m_state, tr("Remove Group"));
    m_state.store.removeGroup(group);
    const int remaining = m_state.store.IDXList().groupCount();
    const int next = qMin(group, remaining - 1);  // the group now in its place, or the last
    if (m_view.currentTab == ViewState::AdvancedTab) {
        GroupListWidget *list = m_pages.advancedView()->indexPanel()->groupList();
        list->removeGroup(group);
        m_lists.activeModel()->clear();
        if (next >= 0)
            list->selectGroup(next);
    } else {
        m_pages.fillGroupCombo();
        if (next >= 0)
            m_pages.standardView()->selectGroup(next);
        else
            m_lists.activeModel()->clear();
    }
    m_lists.RefreshURLPage();
    m_lists.UpdatePanel();
}
