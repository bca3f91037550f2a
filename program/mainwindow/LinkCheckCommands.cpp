// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkCheckCommands.h"

#include "AppState.h"
#include "EntryListHost.h"
#include "EntryListModel.h"
#include "LinkCheckDialog.h"
#include "LinkRepair.h"
#include "ListSelection.h"
#include "MainMenus.h"
#include "ModalDialog.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "StoreRecording.h"

#include <QAction>

namespace {

QString entries(qsizetype count)
{
    return LinkCheckCommands::tr("%n entry(s)", nullptr, int(count));
}

}  // namespace

LinkCheckCommands::LinkCheckCommands(AppState &state, Prompter &prompter, EntryListHost &lists,
                                     const MainMenus &menus, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_lists(lists)
    , m_window(window)
{
    setObjectName(QStringLiteral("linkCheckCommands"));
    connect(menus.mnuCheckLinks, &QAction::triggered, this, &LinkCheckCommands::checkSelection);
    connect(menus.mnuCheckGroupLinks, &QAction::triggered, this, &LinkCheckCommands::checkCurrentGroup);
    connect(menus.mnuIPopCheckLinks, &QAction::triggered, this, &LinkCheckCommands::checkCurrentGroup);
}

void LinkCheckCommands::checkSelection()
{
    const URLDatas &store = m_state.store.urlDatas();
    const EntryListModel *model = m_lists.activeModel();
    std::vector<Row> rows;
    for (const int row : ListSelection::selectedRows(m_lists.activeList())) {
        const quint32 key = model->keyAt(row);
        if (const URLData *entry = store.Item(store.positionOfKey(key)))
            rows.push_back({key, entry->Name, entry->url, {}, false, false});
    }
    if (rows.empty()) {
        m_lists.showStatus(tr("Select the entries whose links to check"));
        return;
    }
    check(std::move(rows));
}

void LinkCheckCommands::checkCurrentGroup()
{
    const URLBlock &store = m_state.store;
    const int group = m_lists.getCurrentIDX();
    if (group < 0 || !store.IDXList().isGroup(group)) {
        m_lists.showStatus(tr("Choose the group whose links to check"));
        return;
    }
    std::vector<Row> rows;
    for (const URLData &entry : store.urlDatas()) {
        if (entry.Owner == group)
            rows.push_back({entry.keyNumber(), entry.Name, entry.url, {}, false, false});
    }
    if (rows.empty()) {
        m_lists.showStatus(tr("The group holds no entries"));
        return;
    }
    check(std::move(rows));
}

void LinkCheckCommands::check(std::vector<Row> rows)
{
    if (m_state.dialogState != AppState::NoDialog || m_lists.isLoading())
        return;
    const ModalScope open(m_state, m_window, AppState::PromptOpen, [this] { m_lists.UpdatePanel(); });
    LinkCheckDialog dialog(m_window);
    QStringList addresses;
    for (const Row &row : rows) {
        dialog.addEntry(row.title, row.address);
        addresses << row.address;
    }
    dialog.showProgress(0, int(rows.size()));
    LinkChecker checker;
    checker.setLimits(m_limits);
    connect(&checker, &LinkChecker::checked, &dialog, [&](int index, const LinkCheckResult &result) {
        rows[size_t(index)].result = result;
        rows[size_t(index)].checked = true;
        dialog.showResult(index, result);
    });
    connect(&checker, &LinkChecker::progress, &dialog, &LinkCheckDialog::showProgress);
    connect(&checker, &LinkChecker::finished, &dialog, [&] {
        dialog.showEnd(checker.wasCancelled(), countOf(rows, LinkCheckResult::Outcome::Gone),
                       countOf(rows, LinkCheckResult::Outcome::Moved));
    });
    connect(&dialog, &LinkCheckDialog::cancelRequested, &checker, &LinkChecker::cancel);
    connect(&dialog, &LinkCheckDialog::removeGoneRequested, this, [&] { removeGone(dialog, rows); });
    connect(&dialog, &LinkCheckDialog::updateMovedRequested, this, [&] { updateMoved(dialog, rows); });
    checker.check(addresses);
    WindowHelpers::showModalOnTop(dialog, m_window);
    checker.disconnect(&dialog);
    checker.cancel();
}

void LinkCheckCommands::removeGone(LinkCheckDialog &dialog, std::vector<Row> &rows)
{
    const QList<int> gone = rowsOf(rows, LinkCheckResult::Outcome::Gone);
    if (gone.isEmpty())
        return;
    const Prompter::Answer answer = m_prompter.messageBox(
        tr("Remove %1 whose page is gone?").arg(entries(gone.size())), Prompter::Buttons::YesNo,
        Prompter::Icon::Question, tr("Check Links"));
    if (answer != Prompter::Answer::Yes)
        return;
    LinkRepair repair;
    for (int row : gone) {
        repair.removed.push_back(rows[size_t(row)].key);
        rows[size_t(row)].repaired = true;
    }
    const qsizetype changed = changeStore(repair, tr("Remove Gone"));
    dialog.showRepaired(gone, tr("removed"), 0, countOf(rows, LinkCheckResult::Outcome::Moved));
    m_lists.showStatus(tr("Removed %1 whose page is gone").arg(entries(changed)));
}

void LinkCheckCommands::updateMoved(LinkCheckDialog &dialog, std::vector<Row> &rows)
{
    const QList<int> moved = rowsOf(rows, LinkCheckResult::Outcome::Moved);
    if (moved.isEmpty())
        return;
    const Prompter::Answer answer = m_prompter.messageBox(
        tr("Give %1 the new address of its page?").arg(entries(moved.size())), Prompter::Buttons::YesNo,
        Prompter::Icon::Question, tr("Check Links"));
    if (answer != Prompter::Answer::Yes)
        return;
    LinkRepair repair;
    for (int row : moved) {
        const Row &r = rows[size_t(row)];
        repair.updated.push_back({r.key, r.address, r.result.newAddress});
        rows[size_t(row)].repaired = true;
    }
    const qsizetype changed = changeStore(repair, tr("Update Moved"));
    dialog.showRepaired(moved, tr("updated"), countOf(rows, LinkCheckResult::Outcome::Gone), 0);
    m_lists.showStatus(tr("Updated the address of %1").arg(entries(changed)));
}

qsizetype LinkCheckCommands::changeStore(const LinkRepair &repair, const QString &commandName)
{
    const StoreRecording recording(m_state, commandName);
    const qsizetype changed = repair.applyTo(m_state.store);
    if (changed > 0)
        m_state.store.countChange();
    m_lists.fullScrnRefresh(true);
    return changed;
}

qsizetype LinkCheckCommands::countOf(const std::vector<Row> &rows, LinkCheckResult::Outcome outcome)
{
    return rowsOf(rows, outcome).size();
}

// The rows checked with that outcome and not repaired yet.
QList<int> LinkCheckCommands::rowsOf(const std::vector<Row> &rows, LinkCheckResult::Outcome outcome)
{
    QList<int> found;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].checked && !rows[i].repaired && rows[i].result.outcome == outcome)
            found << int(i);
    }
    return found;
}
