// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QuickAddCommand.h"

#include "AppState.h"
#include "DayCount.h"
#include "EntryListHost.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "GroupListWidget.h"
#include "StoreRecording.h"

QuickAddCommand::QuickAddCommand(AppState &state, EntryListHost &lists,
                                 const QList<EntryListView *> &entryLists, GroupListWidget *groupList,
                                 QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_lists(lists)
{
    // A drop on the group list adds to its group, as one on the entry list does.
    connect(groupList, &GroupListWidget::addressDropped, this, &QuickAddCommand::add);
    for (EntryListView *list : entryLists)
        connect(list, &EntryListView::addressDropped, this, &QuickAddCommand::add);
}

void QuickAddCommand::add(const QString &address)
{
    if (m_state.store.IDXList().isEmpty())
        return;
    const int group = m_lists.getCurrentIDX();
    if (group < 0)
        return;
    const StoreRecording recording(m_state, tr("Quick Add"));
    URLData *entry = m_state.store.urlDatas().Add(QStringLiteral("<Quick Add>"), address, group);
    if (!entry)
        return;
    entry->Created = DayCount::now();
    m_state.store.countChange();
    m_lists.activeModel()->appendEntry(*entry);
    m_lists.UpdatePanel();
}
