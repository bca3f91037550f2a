// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SelectionCommands.h"

#include "AppState.h"
#include "DayCount.h"
#include "EntryListHost.h"
#include "EntryListModel.h"
#include "EntryListView.h"
#include "EntryOperations.h"
#include "EntrySort.h"
#include "InternetShortcut.h"
#include "ListSelection.h"
#include "MainMenus.h"
#include "ModalScope.h"
#include "OpenableAddress.h"
#include "Prompter.h"
#include "StoreRecording.h"
#include "UrlOpener.h"
#include "WaitCursor.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>

#include <algorithm>

namespace {

// The rows whose keys name entries of the store, and those keys.
struct FoundRows
{
    std::vector<int> rows;
    std::vector<quint32> keys;
};

FoundRows foundRows(const URLBlock &store, const EntryListModel *model, const std::vector<int> &rows)
{
    FoundRows found;
    for (const int row : rows) {
        const quint32 key = model->keyAt(row);
        if (store.urlDatas().positionOfKey(key) == 0)
            continue;
        found.rows.push_back(row);
        found.keys.push_back(key);
    }
    return found;
}


} // namespace

SelectionCommands::SelectionCommands(AppState &state, Prompter &prompter, EntryListHost &host, UrlOpener &opener,
                                     QWidget *mainWindow)
    : QObject(mainWindow)
    , m_state(state)
    , m_prompter(prompter)
    , m_host(host)
    , m_opener(&opener)
    , m_mainWindow(mainWindow)
{
}

void SelectionCommands::connectMenus(const MainMenus &menus)
{
    connect(menus.mnuRemove, &QAction::triggered, this, &SelectionCommands::removeCommand);
    for (int rating = 0; rating < int(menus.mnuRateItems.size()); ++rating)
        connect(menus.mnuRateItems[rating], &QAction::triggered, this, [this, rating] { rateSelected(rating); });
    connect(menus.mnuBookmarksFolder, &QAction::triggered, this, &SelectionCommands::sendSelectedToFolder);
    for (int window = 0; window < int(menus.mnuSendItems.size()); ++window)
        connect(menus.mnuSendItems[window], &QAction::triggered, this, [this, window] { sendCurrent(window); });
    for (QAction *sort : menus.mnuSortItems) {
        const int item = sort->objectName().section(u'_', 1).toInt();
        connect(sort, &QAction::triggered, this, [this, item] { sortByMenuItem(item); });
    }
}

void SelectionCommands::removeCommand()
{
    const qsizetype count = qsizetype(ListSelection::selectedRows(m_host.activeList()).size());
    if (count > 0) {
        Prompter::Answer answer;
        {
            const ModalScope modal(m_state, m_mainWindow);
            answer = m_prompter.messageBox(tr("Remove %n item(s), are you sure?", nullptr, int(count)),
                                           Prompter::Buttons::YesNo, Prompter::Icon::Exclamation,
                                           tr("Confirm Delete"));
        }
        if (answer != Prompter::Answer::Yes) {
            m_host.UpdatePanel();
            return;
        }
    }
    removeSelected();
    m_host.UpdatePanel();
}

void SelectionCommands::removeSelected()
{
    const WaitCursor wait;
    const StoreRecording recording(m_state, tr("Remove"));
    EntryListModel *model = m_host.activeModel();
    const FoundRows found = foundRows(m_state.store, model, ListSelection::selectedRows(m_host.activeList()));
    EntryOperations::remove(m_state.store, found.keys);
    model->removeKeys(found.keys);
    m_state.store.countChange();
}

void SelectionCommands::rateSelected(int rating)
{
    const StoreRecording recording(m_state, tr("Rate"));
    EntryListModel *model = m_host.activeModel();
    const FoundRows found = foundRows(m_state.store, model, ListSelection::selectedRows(m_host.activeList()));
    EntryOperations::rate(m_state.store, found.keys, rating);
    ListSelection::deselect(m_host.activeList(), found.rows);
    model->refreshRows(found.rows);
    m_state.store.countChange();
}

void SelectionCommands::moveSelected(int group)
{
    const WaitCursor wait;
    const StoreRecording recording(m_state, tr("Move"));
    const int current = m_host.getCurrentIDX();
    EntryListModel *model = m_host.activeModel();
    const FoundRows found = foundRows(m_state.store, model, ListSelection::selectedRows(m_host.activeList()));
    EntryOperations::move(m_state.store, found.keys, group);
    // Listing one group: the moved rows no longer belong in it.
    if (m_host.appliedIndexMode() == 1 && group != current && m_state.store.IDXList().isGroup(group)) {
        model->removeKeys(found.keys);
    } else {
        ListSelection::deselect(m_host.activeList(), found.rows);
        model->refreshRows(found.rows);
    }
    m_state.store.countChange();
}

void SelectionCommands::sendSelectedToFolder()
{
    EntryListModel *model = m_host.activeModel();
    const FoundRows found = foundRows(m_state.store, model, ListSelection::selectedRows(m_host.activeList()));
    const QString folder = InternetShortcut::favoritesFolder();
    int written = 0;
    QString error;
    for (const quint32 key : found.keys) {
        const URLData *entry = m_state.store.urlDatas().Item(m_state.store.urlDatas().positionOfKey(key));
        const QString group = m_state.store.IDXList().nameOf(entry->Owner);
        if (!InternetShortcut::writeShortcut(folder, m_state.settings.cAF, entry->Name, entry->url, group, &error)
                 .isEmpty())
            ++written;
    }
    ListSelection::deselect(m_host.activeList(), found.rows);
    m_state.store.countChange();
    const auto shortcuts = [](qint64 count) { return tr("%n shortcut(s)", nullptr, int(count)); };
    if (m_state.settings.cAF == 0)
        m_host.showStatus(tr("No shortcuts written: shortcuts in the bookmarks folder are turned off"));
    else if (written < int(found.keys.size()))
        m_host.showStatus(tr("%1 of %2 written to %3: %4")
                              .arg(written)
                              .arg(shortcuts(qint64(found.keys.size())), folder, error));
    else
        m_host.showStatus(tr("%1 written to %2").arg(shortcuts(written), folder));
}

bool SelectionCommands::openAddress(const QString &address, int window)
{
    const QUrl url = OpenableAddress::fromText(address);
    if (!url.isValid()) {
        m_host.showStatus(OpenableAddress::refusal(address));
        return false;
    }
    QString error;
    if (!m_opener->openInWindow(url, window, &error)) {
        m_host.showStatus(error);
        return false;
    }
    return true;
}

void SelectionCommands::sendCurrent(int window)
{
    const EntryListView *list = m_host.activeList();
    const URLData *entry = m_host.activeModel()->entryAt(list->currentIndex().row());
    if (!entry)
        return;
    openAddress(entry->url, window);
    m_state.store.countChange();
}

void SelectionCommands::openCurrent()
{
    const EntryListView *list = m_host.activeList();
    if (m_host.activeModel()->rowCount() == 0 || !list->currentIndex().isValid())
        return;
    openEntry(m_host.activeModel()->keyAt(list->currentIndex().row()));
}

void SelectionCommands::openEntry(quint32 key)
{
    const URLDatas &entries = m_state.store.urlDatas();
    const URLData *entry = entries.Item(entries.positionOfKey(key));
    // A visit is counted only when the address was opened.
    if (!entry || !openAddress(entry->url))
        return;
    EntryOperations::visit(m_state.store, key, DayCount::now());
    m_state.store.countChange();
}

void SelectionCommands::sortByMenuItem(int item)
{
    const int column = EntrySort::columnOfSortItem(item);
    if (column >= 0)
        sortActiveList(column, EntryListModel::initialOrder(column));
}

void SelectionCommands::sortByColumnClick(int column)
{
    const EntryListModel *model = m_host.activeModel();
    Qt::SortOrder order = EntryListModel::initialOrder(column);
    if (model->sortColumn() == column)
        order = model->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortActiveList(column, order);
}

void SelectionCommands::sortActiveList(int column, int order)
{
    const WaitCursor wait;
    EntryListView *list = m_host.activeList();
    m_host.activeModel()->sort(column, Qt::SortOrder(order));
    list->header()->setSortIndicatorShown(true);
    list->header()->setSortIndicator(column, Qt::SortOrder(order));
}
