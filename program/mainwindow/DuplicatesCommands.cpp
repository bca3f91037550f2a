// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DuplicatesCommands.h"

#include "AppState.h"
#include "Duplicates.h"
#include "DuplicatesDialog.h"
#include "EntryListHost.h"
#include "MainMenus.h"
#include "ModalDialog.h"
#include "ModalScope.h"
#include "StoreRecording.h"
#include "Prompter.h"

#include <QAction>

namespace {

QString entries(qsizetype count)
{
    return DuplicatesCommands::tr("%n entry(s)", nullptr, int(count));
}

}  // namespace

DuplicatesCommands::DuplicatesCommands(AppState &state, Prompter &prompter, EntryListHost &lists,
                                       const MainMenus &menus, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_lists(lists)
    , m_window(window)
{
    connect(menus.mnuDuplicates, &QAction::triggered, this, &DuplicatesCommands::showDuplicates);
}

void DuplicatesCommands::showDuplicates()
{
    if (m_state.dialogState != AppState::NoDialog || m_lists.isLoading())
        return;
    const ModalScope open(m_state, m_window, AppState::PromptOpen, [this] { m_lists.UpdatePanel(); });
    const std::vector<DuplicateSet> sets = Duplicates::find(m_state.store.urlDatas());
    DuplicatesDialog dialog(m_state.store, sets, m_window);
    connect(&dialog, &DuplicatesDialog::mergeRequested, this, [&] { mergeChosen(dialog, sets); });
    WindowHelpers::showModalOnTop(dialog, m_window);
}

// Asks once; on Yes merges every set as the window shows it and closes the window.
void DuplicatesCommands::mergeChosen(DuplicatesDialog &dialog, const std::vector<DuplicateSet> &sets)
{
    const Prompter::Answer answer = m_prompter.messageBox(
        tr("Merge the duplicates? %1 will be removed.").arg(entries(dialog.removedCount())),
        Prompter::Buttons::YesNoSafe, Prompter::Icon::Question, tr("Duplicates"));
    if (answer != Prompter::Answer::Yes)
        return;
    const StoreRecording recording(m_state, tr("Merge Duplicates"));
    const qsizetype removed = Duplicates::merge(m_state.store, sets, dialog.keptKeys());
    if (removed > 0)
        m_state.store.countChange();
    dialog.accept();
    m_lists.fullScrnRefresh(true);
    m_lists.showStatus(tr("Merged the duplicates: %1 removed").arg(entries(removed)));
}
