// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryListEvents.h"

#include "EntryListHost.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "GroupListWidget.h"
#include "MainMenus.h"
#include "SelectionCommands.h"
#include "URLData.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>

EntryListEvents::EntryListEvents(EntryListHost &host, SelectionCommands &selection, const MainMenus &menus,
                                 QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_selection(selection)
    , m_menus(menus)
{
}

void EntryListEvents::watch(EntryListView *list, bool advanced)
{
    // Only the list shown acts; the other one's events cannot arrive, but a
    // test or a queued event must not act on the wrong list.
    const auto shown = [this, list] { return m_host.activeList() == list; };
    connect(list, &QAbstractItemView::doubleClicked, this, [this, shown] {
        if (shown())
            m_selection.openCurrent();
    });
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, shown](int column) {
        if (shown())
            m_selection.sortByColumnClick(column);
    });
    connect(list, &EntryListView::openKeyPressed, this, [this, shown] {
        if (shown())
            m_selection.openCurrent();
    });
    connect(list, &EntryListView::removeKeyPressed, this, [this, shown] {
        // The menu's rules decide, as for the menu itself.
        if (shown())
            m_menus.mnuRemove->trigger();
    });
    connect(list, &EntryListView::findKeyPressed, this, [this, shown](int item) {
        if (shown())
            find(item);
    });
    connect(list, &EntryListView::arrowKeyPressed, this, [this, shown] {
        if (shown())
            followCurrentEntry();
    });
    if (advanced) {
        connect(list, &QAbstractItemView::clicked, this, [this, shown] {
            if (shown())
                followCurrentEntry();
        });
    }
}

void EntryListEvents::watchGroupList(GroupListWidget *groups)
{
    connect(groups, &GroupListWidget::findKeyPressed, this, &EntryListEvents::find);
}

void EntryListEvents::find(int item)
{
    QAction *const commands[] = {m_menus.mnuFindFind, m_menus.mnuFindNext, m_menus.mnuFindPrevious};
    // The menu's rules decide, as for the menu itself.
    if (m_menus.mnuFind->menuAction()->isEnabled() && item >= 0 && item < 3)
        commands[item]->trigger();
}

void EntryListEvents::followCurrentEntry()
{
    const EntryListView *list = m_host.activeList();
    const URLData *entry = m_host.activeModel()->entryAt(list->currentIndex().row());
    if (entry && entry->Owner >= 0)
        m_host.selectGroupItem(entry->Owner);
}
