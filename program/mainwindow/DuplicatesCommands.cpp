// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DuplicatesCommands.h"

#include "AppState.h"
#include "Duplicates.h"
#include "DuplicatesDialog.h"
#include "MainMenus.h"
#include "MainWindow.h"
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

DuplicatesCommands::DuplicatesCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    connect(window.menus()->mnuDuplicates, &QAction::triggered, this, &DuplicatesCommands::showDuplicates);
}

void DuplicatesCommands::showDuplicates()
{
    AppState &state = m_window.state();
    if (state.dialogState != AppState::NoDialog || m_window.isLoading())
        return;
    const ModalScope open(state, &m_window, AppState::PromptOpen, [this] { m_window.UpdatePanel(); });
    const std::vector<DuplicateSet> sets = Duplicates::find(state.store.urlDatas());
    DuplicatesDialog dialog(state.store, sets, &m_window);
    connect(&dialog, &DuplicatesDialog::mergeRequested, this, [&] { mergeChosen(dialog, sets); });
    WindowHelpers::showModalOnTop(dialog, &m_window);
}

// Asks once; on Yes merges every set as the window shows it and closes the window.
void DuplicatesCommands::mergeChosen(DuplicatesDialog &dialog, const std::vector<DuplicateSet> &sets)
{
    AppState &state = m_window.state();
    const Prompter::Answer answer = m_window.prompter().messageBox(
        tr("Merge the duplicates? %1 will be removed.").arg(entries(dialog.removedCount())),
        Prompter::Buttons::YesNoSafe, Prompter::Icon::Question, tr("Duplicates"));
    if (answer != Prompter::Answer::Yes)
        return;
    const StoreRecording recording(state, tr("Merge Duplicates"));
    const qsizetype removed = Duplicates::merge(state.store, sets, dialog.keptKeys());
    if (removed > 0)
        state.store.countChange();
    dialog.accept();
    m_window.fullScrnRefresh(true);
    m_window.showStatus(tr("Merged the duplicates: %1 removed").arg(entries(removed)));
}
