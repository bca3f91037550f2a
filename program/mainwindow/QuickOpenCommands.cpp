// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QuickOpenCommands.h"

#include "AppState.h"
#include "DayCount.h"
#include "EntryDialogCommands.h"
#include "EntryListHost.h"
#include "EntryListView.h"
#include "MainMenus.h"
#include "ModalDialog.h"
#include "ModalScope.h"
#include "QuickOpenPopup.h"
#include "SelectionCommands.h"
#include "StoreRevision.h"

#include <QAction>

#include <cmath>

namespace {

constexpr double anHour = 1.0 / 24;

}  // namespace

QuickOpenCommands::QuickOpenCommands(AppState &state, EntryListHost &lists, SelectionCommands &selection,
                                     EntryDialogCommands &dialogs, const MainMenus &menus,
                                     const QList<EntryListView *> &entryLists, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_lists(lists)
    , m_selection(selection)
    , m_dialogs(dialogs)
    , m_window(window)
{
    connect(menus.mnuQuickOpen, &QAction::triggered, this, [this] { quickOpen(); });
    for (EntryListView *list : entryLists) {
        connect(list, &EntryListView::searchTyped, this, [this, list](const QString &text) {
            if (m_lists.activeList() == list)
                quickOpen(text);
        });
    }
}

QuickOpenIndex &QuickOpenCommands::index()
{
    const URLBlock &store = m_state.store;
    const double now = DayCount::now();
    // Every change of a store gives a new revision; the count and the last
    // key catch entries added or removed without one.
    if (!m_built || StoreRevision::current() != m_revision || store.urlDatas().Count() != m_count
        || store.urlDatas().lastKeyNumber() != m_lastKey || !(std::abs(now - m_builtAt) < anHour)) {
        m_index.build(store.urlDatas(), now);
        m_built = true;
        m_revision = StoreRevision::current();
        m_count = store.urlDatas().Count();
        m_lastKey = store.urlDatas().lastKeyNumber();
        m_builtAt = now;
    }
    return m_index;
}

void QuickOpenCommands::quickOpen(const QString &text)
{
    if (m_state.dialogState != AppState::NoDialog || m_lists.isLoading())
        return;
    QuickOpenPopup::Choice choice = QuickOpenPopup::Choice::None;
    quint32 key = 0;
    {
        const ModalScope open(m_state, m_window, AppState::PromptOpen, [this] { m_lists.UpdatePanel(); });
        QuickOpenPopup popup(
            [this](const QString &query) {
                const QuickOpenIndex::Matches matches = index().search(query, shownMatches);
                QuickOpenPopup::Found found;
                found.total = matches.total;
                const URLDatas &entries = m_state.store.urlDatas();
                for (const quint32 matched : matches.keys) {
                    // An entry removed while the window is up is left out.
                    if (const URLData *entry = entries.Item(entries.positionOfKey(matched)))
                        found.rows.push_back({matched, entry->Name, entry->url,
                                              m_state.store.IDXList().nameOf(entry->Owner)});
                }
                return found;
            },
            m_window);
        popup.start(text);
        if (WindowHelpers::showModalOnTop(popup, m_window) != QDialog::Accepted)
            return;
        choice = popup.choice();
        key = popup.chosenKey();
    }
    // The dialog state is free again: the editor takes it.
    if (choice == QuickOpenPopup::Choice::Open)
        m_selection.openEntry(key);
    else if (choice == QuickOpenPopup::Choice::Edit)
        m_dialogs.editEntry(key);
}
