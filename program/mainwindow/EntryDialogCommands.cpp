// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryDialogCommands.h"

#include "AppState.h"
#include "DayCount.h"
#include "EntryEditor.h"
#include "EntryFind.h"
#include "EntryListHost.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "EntryOperations.h"
#include "FindWindow.h"
#include "InternetShortcut.h"
#include "ListSelection.h"
#include "MainMenus.h"
#include "MaskFilterDialog.h"
#include "ModalDialog.h"
#include "ModalScope.h"
#include "MoveDialog.h"
#include "SelectionCommands.h"
#include "StoreRecording.h"

#include <QAction>

#include <algorithm>


EntryDialogCommands::EntryDialogCommands(AppState &state, ViewFilter &filter, EntryListHost &host,
                                         SelectionCommands &selection, QWidget *mainWindow)
    : QObject(mainWindow)
    , m_state(state)
    , m_filter(filter)
    , m_host(host)
    , m_selection(selection)
    , m_mainWindow(mainWindow)
{
}

void EntryDialogCommands::connectMenus(const MainMenus &menus)
{
    connect(menus.mnuEdit, &QAction::triggered, this, &EntryDialogCommands::editSelected);
    connect(menus.mnuNewEntry, &QAction::triggered, this, &EntryDialogCommands::newEntry);
    connect(menus.mnuMove, &QAction::triggered, this, &EntryDialogCommands::moveCommand);
    connect(menus.mnuFindFind, &QAction::triggered, this, &EntryDialogCommands::findCommand);
    connect(menus.mnuFindNext, &QAction::triggered, this, [this] { findInList(m_state.findText, 0); });
    connect(menus.mnuFindPrevious, &QAction::triggered, this, [this] { findInList(m_state.findText, 1); });
}

void EntryDialogCommands::editSelected()
{
    EntryListView *list = m_host.activeList();
    EntryListModel *model = m_host.activeModel();
    if (m_state.dialogState != AppState::NoDialog || model->rowCount() == 0)
        return;
    const int row = ListSelection::focusSelected(list, false);
    const URLData *entry = model->entryAt(row);
    if (!entry)
        return;
    const quint32 key = entry->keyNumber();
    const int owner = entry->Owner;
    const ModalScope open(m_state, m_mainWindow, AppState::EditingEntry, [this] { m_host.UpdatePanel(); });
    EntryEditor editor(m_state.store, m_mainWindow);
    // The editor shows the entry's own group, so that accepting it unchanged
    // leaves the entry where it is.
    editor.editEntry(*entry, owner);
    if (WindowHelpers::showModalOnTop(editor, m_mainWindow) != QDialog::Accepted)
        return;
    const StoreRecording recording(m_state, tr("Edit"));
    EntryOperations::EntryChange change;
    change.title = editor.title();
    change.url = editor.url();
    if (editor.rating() >= 0 && editor.rating() <= EntryOperations::highestRating)
        change.rating = editor.rating();
    if (!EntryOperations::edit(m_state.store, key, change))
        return;
    model->refreshRows({row});
    if (editor.group() >= 0 && editor.group() != owner)
        m_selection.moveSelected(editor.group());
    else
        ListSelection::deselect(list, {row});
    m_state.store.countChange();
}

void EntryDialogCommands::editEntry(quint32 key)
{
    const EntryListModel *model = m_host.activeModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->keyAt(row) == key) {
            m_host.activeList()->selectOnly(row);
            editSelected();
            return;
        }
    }
    editUnlisted(key);
}

void EntryDialogCommands::editUnlisted(quint32 key)
{
    const URLDatas &entries = m_state.store.urlDatas();
    const URLData *entry = entries.Item(entries.positionOfKey(key));
    if (m_state.dialogState != AppState::NoDialog || !entry)
        return;
    const int owner = entry->Owner;
    const ModalScope open(m_state, m_mainWindow, AppState::EditingEntry, [this] { m_host.UpdatePanel(); });
    EntryEditor editor(m_state.store, m_mainWindow);
    editor.editEntry(*entry, owner);
    if (WindowHelpers::showModalOnTop(editor, m_mainWindow) != QDialog::Accepted)
        return;
    EntryOperations::EntryChange change;
    change.title = editor.title();
    change.url = editor.url();
    if (editor.rating() >= 0 && editor.rating() <= EntryOperations::highestRating)
        change.rating = editor.rating();
    if (!EntryOperations::edit(m_state.store, key, change))
        return;
    if (editor.group() >= 0 && editor.group() != owner)
        EntryOperations::move(m_state.store, {key}, editor.group());
    m_state.store.countChange();
    // The changed entry may now pass the window's filters or join its group.
    m_host.RefreshURLPage();
}

void EntryDialogCommands::newEntry()
{
    if (m_state.dialogState != AppState::NoDialog)
        return;
    newEntryWith(QString(), QString());
}

void EntryDialogCommands::newEntryWith(const QString &title, const QString &url)
{
    // An entry lives in a group: without one the editor would take the
    // user's typing and add nothing, so it does not open.
    if (m_state.store.IDXList().groupCount() == 0) {
        m_host.showStatus(tr("There is no group to put a new entry in: make one first (Groups, New Group)"));
        return;
    }
    const int current = m_host.getCurrentIDX();
    const ModalScope open(m_state, m_mainWindow, AppState::MakingEntry, [this] { m_host.UpdatePanel(); });
    EntryEditor editor(m_state.store, m_mainWindow);
    editor.createNew(current);
    if (!title.isEmpty() || !url.isEmpty())
        editor.setCaptured(title, url);
    if (WindowHelpers::showModalOnTop(editor, m_mainWindow) != QDialog::Accepted)
        return;
    const StoreRecording recording(m_state, tr("New Entry"));
    EntryOperations::NewEntry fields;
    fields.title = editor.title();
    fields.url = editor.url();
    fields.group = editor.group();
    fields.rating = std::clamp(editor.rating(), 0, EntryOperations::highestRating);
    const URLData *entry = EntryOperations::add(m_state.store, fields, DayCount::now());
    if (!entry) {
        m_host.showStatus(tr("The entry was not added: it names no group"));
        return;
    }
    InternetShortcut::writeShortcut(InternetShortcut::favoritesFolder(), m_state.settings.cAF, entry->Name,
                                    entry->url, m_state.store.IDXList().nameOf(entry->Owner));
    if (fields.group == current)
        m_host.activeModel()->appendEntry(*entry);
    m_state.store.countChange();
}

void EntryDialogCommands::moveCommand()
{
    int group = -1;
    {
        const ModalScope open(m_state, m_mainWindow, AppState::PromptOpen, [this] { m_host.UpdatePanel(); });
        MoveDialog dialog(m_state.store.IDXList(), m_mainWindow);
        if (WindowHelpers::showModalOnTop(dialog, m_mainWindow) != QDialog::Accepted)
            return;
        group = dialog.group();
    }
    if (group < 0)
        return;
    const StoreRecording recording(m_state, tr("Move"));
    m_selection.moveSelected(group);
    m_state.store.countChange();
    m_host.UpdatePanel();
}

void EntryDialogCommands::findCommand()
{
    if (m_host.activeModel()->rowCount() == 0)
        return;
    const ModalScope open(m_state, m_mainWindow, AppState::Finding, [this] { m_host.UpdatePanel(); });
    FindWindow window(m_state.findText, m_mainWindow);
    connect(&window, &FindWindow::findRequested, this, &EntryDialogCommands::findInList);
    WindowHelpers::showModalOnTop(window, m_mainWindow);
}

void EntryDialogCommands::findInList(const QString &text, int direction)
{
    EntryListView *list = m_host.activeList();
    const EntryListModel *model = m_host.activeModel();
    if (text.isEmpty() || ListSelection::selectedRows(list).empty())
        return;
    // The search goes on from the current row, which alone stays selected.
    ListSelection::focusSelected(list, false);
    const int start = list->currentIndex().row();
    const int found = EntryFind::findRow(
        model->rowCount(), start, direction == 1 ? EntryFind::Direction::Up : EntryFind::Direction::Down,
        [model](int row) {
            const URLData *entry = model->entryAt(row);
            return entry ? entry->Name : QString();
        },
        text);
    if (found >= 0)
        list->selectOnly(found);
}

void EntryDialogCommands::maskFilters()
{
    const ModalScope open(m_state, m_mainWindow, AppState::PromptOpen, [this] { m_host.UpdatePanel(); });
    MaskFilterDialog dialog(m_filter, m_mainWindow);
    connect(&dialog, &MaskFilterDialog::filterApplied, this, [this] { m_host.RefreshURLPage(); });
    WindowHelpers::showModalOnTop(dialog, m_mainWindow);
}
