// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

class EntryListHost;
class EntryListView;
class GroupListWidget;
struct AppState;

// A link dropped on an entry list or on the group list: an entry
// "<Quick Add>" for its address in the current group, as one change of the
// store, its row added to the active list.
class QuickAddCommand : public QObject
{
    Q_OBJECT

public:
    QuickAddCommand(AppState &state, EntryListHost &lists, const QList<EntryListView *> &entryLists,
                    GroupListWidget *groupList, QObject *parent);

    // Nothing is added without groups or a current group.
    void add(const QString &address);

private:
    AppState &m_state;
    EntryListHost &m_lists;
};
