// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QuickOpenCommands.h"

#include "AdvancedView.h"
#include "AppState.h"
#include "DayCount.h"
#include "EntryDialogCommands.h"
#include "EntryListView.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ModalDialog.h"
#include "ModalScope.h"
#include "QuickOpenPopup.h"
#include "SelectionCommands.h"
#include "StandardView.h"
#include "StoreRevision.h"

#include <QAction>

#include <cmath>

namespace {

constexpr double anHour = 1.0 / 24;

}  // namespace

QuickOpenCommands::QuickOpenCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    connect(window.menus()->mnuQuickOpen, &QAction::triggered, this, [this] { quickOpen(); });
    for (EntryListView *list : {window.standardView()->list(), window.advancedView()->list()}) {
        connect(list, &EntryListView::searchTyped, this, [this, list](const QString &text) {
            if (m_window.activeList() == list)
                quickOpen(text);
        });
    }
}

QuickOpenIndex &QuickOpenCommands::index()
{
    const URLBlock &store = m_window.state().store;
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
    AppState &state = m_window.state();
    if (state.dialogState != AppState::NoDialog || m_window.isLoading())
        return;
    QuickOpenPopup::Choice choice = QuickOpenPopup::Choice::None;
    quint32 key = 0;
    {
        const ModalScope open(state, &m_window, AppState::PromptOpen, [this] { m_window.UpdatePanel(); });
        QuickOpenPopup popup(
            [this, &state](const QString &query) {
                const QuickOpenIndex::Matches matches = index().search(query, shownMatches);
                QuickOpenPopup::Found found;
                found.total = matches.total;
                const URLDatas &entries = state.store.urlDatas();
                for (const quint32 matched : matches.keys) {
                    // An entry removed while the window is up is left out.
                    if (const URLData *entry = entries.Item(entries.positionOfKey(matched)))
                        found.rows.push_back({matched, entry->Name, entry->url,
                                              state.store.IDXList().nameOf(entry->Owner)});
                }
                return found;
            },
            &m_window);
        popup.start(text);
        if (WindowHelpers::showModalOnTop(popup, &m_window) != QDialog::Accepted)
            return;
        choice = popup.choice();
        key = popup.chosenKey();
    }
    // The dialog state is free again: the editor takes it.
    if (choice == QuickOpenPopup::Choice::Open)
        m_window.selectionCommands()->openEntry(key);
    else if (choice == QuickOpenPopup::Choice::Edit)
        m_window.entryDialogCommands()->editEntry(key);
}
