// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StackCommands.h"

#include "AppState.h"
#include "DayCount.h"
#include "DefaultStackFile.h"
#include "EntryListHost.h"
#include "MainMenus.h"
#include "LongWorkRunner.h"
#include "MergeCommands.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "StackFile.h"
#include "StackFileLoad.h"
#include "StoreRecording.h"
#include "StoreMerge.h"
#include "StoreScreen.h"
#include "ViewState.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>

#include <memory>
#include <utility>

namespace {

const QString stackFilter = QStringLiteral("(*.TSY)|*.tsy");

// A name typed without an extension gets ".tsy", so the open and merge
// dialogs show the file later.
QString withStackSuffix(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + (path.endsWith(u'.') ? QStringLiteral("tsy") : QStringLiteral(".tsy"));
}

} // namespace

StackCommands::StackCommands(AppState &state, const ViewState &view, Prompter &prompter, DefaultStackFile &stack,
                             LongWorkRunner &longWork, EntryListHost &lists, StoreScreen &screen,
                             const MainMenus &menus, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_view(view)
    , m_prompter(prompter)
    , m_stack(stack)
    , m_longWork(longWork)
    , m_lists(lists)
    , m_screen(screen)
    , m_window(window)
{
    connect(menus.mnuOpenDefault, &QAction::triggered, this, [this] { openAndSelect(0); });
    connect(menus.mnuOpenAs, &QAction::triggered, this, [this] { openAndSelect(1); });
    connect(menus.mnuMergeTsy, &QAction::triggered, this, [this] {
        if (!OpenURLAs(true).isEmpty())
            m_lists.fullScrnRefresh(true);
    });
    connect(menus.mnuSaveDefault, &QAction::triggered, this, &StackCommands::DePopulate);
    connect(menus.mnuSaveAs, &QAction::triggered, this, &StackCommands::SaveURLAs);
    connect(menus.mnuLoadAll, &QAction::triggered, this, [this] {
        openStack(0);
        m_screen.loadConfig();
    });
    connect(menus.mnuSaveAll, &QAction::triggered, this, [this] {
        m_screen.saveConfig();
        DePopulate();
    });
}

void StackCommands::openAndSelect(int index)
{
    openStack(index);
    m_screen.restoreGroupSelection();
    m_lists.selectGroupItem(m_view.lastIDX2);
    m_lists.RefreshURLPage();
}

void StackCommands::openStack(int index)
{
    if (index == 0) {
        cancelLoad();
        beginDefault();
        QString error;
        bool cancelled = false;
        bool loaded = false;
        {
            const LongWorkRunner::Scope work(m_longWork, tr("Loading bookmarks"));
            loaded = m_stack.Populate(DayCount::now(), &error, work.progress());
            cancelled = work.cancelled();
        }
        endDefault(loaded ? QString() : error, cancelled);
    } else if (index == 1) {
        OpenURLAs(false);
    } else {
        return;
    }
    rebuildScreen();
}

void StackCommands::openDefaultInSlices(const std::function<void()> &whenLoaded)
{
    cancelLoad();
    beginDefault();
    QString error;
    if (!m_stack.beginPopulate(&error)) {
        endDefault(error);
        rebuildScreen();
        whenLoaded();
        return;
    }
    m_load = new StackFileLoad(m_stack.path(), DayCount::now(), this);
    m_load->setProgress(
        m_longWork.begin(tr("Loading bookmarks"), LongWorkRunner::Mode::EventLoop).progress());
    connect(m_load, &StackFileLoad::finished, this, [this, whenLoaded](bool loaded) {
        m_longWork.end();
        if (loaded)
            m_load->takeStore(m_state.store);
        m_stack.endPopulate(loaded);
        endDefault(loaded ? QString() : m_load->errorString(), m_load->wasStopped());
        rebuildScreen();
        const auto finish = [this, whenLoaded] {
            std::exchange(m_load, nullptr)->deleteLater();
            whenLoaded();
        };
        // After a load in slices the rest of the window's load runs in the
        // next turn of the event loop: each fills the lists from the whole
        // store, and the tray answers between them. Dropped with the load
        // (cancelLoad).
        if (m_load->readsInSlices())
            QTimer::singleShot(0, m_load, finish);
        else
            finish();
    });
    m_load->start();
}

void StackCommands::cancelLoad()
{
    if (!m_load)
        return;
    const std::unique_ptr<StackFileLoad> load(std::exchange(m_load, nullptr));
    if (!load->isFinished()) {
        m_longWork.end();
        m_stack.endPopulate(false);
    }
}

// The rows name entries by key: a new store gives the keys anew.
void StackCommands::beginDefault()
{
    m_stack.setStackBase(m_state.stackBase);
    m_screen.clearEntryLists();
}

// A missing default file gives an empty store, as at first start; a file
// that is there but could not be read (or is being changed by tsy) is named.
// A cancelled load leaves the window empty and the file as it is: later
// saves add to the file (DefaultStackFile), never replace it.
void StackCommands::endDefault(const QString &error, bool cancelled)
{
    if (cancelled)
        m_lists.showStatus(tr("Loading %1 cancelled: nothing is loaded, and the file is kept as it is")
                                .arg(m_stack.path()));
    else if (!error.isEmpty() && QFileInfo::exists(m_stack.path()))
        m_lists.showStatus(error);
    m_screen.restoreGroupSelection();
}

void StackCommands::rebuildScreen()
{
    if (m_view.currentTab == ViewState::StandardTab) {
        m_screen.buildMainScrn();
        m_lists.selectGroupItem(m_view.lastIDX2);
    } else {
        m_screen.buildFilterScrn();
        m_screen.fillGroupList(true);
    }
    m_lists.RefreshURLPage();
    m_lists.UpdatePanel();
}

QString StackCommands::OpenURLAs(bool merge)
{
    QString path;
    {
        const ModalScope modal(m_state, m_window);
        path = m_prompter.openFileName(merge ? tr("Merge From Pemberly") : tr("Open Pemberly As"),
                                                stackFilter);
    }
    if (path.isEmpty())
        return QString();
    if (!merge) {
        m_screen.clearEntryLists();
        // The store now holds another file: the default one is merged into, not replaced.
        m_stack.forgetLoadedContent();
        const LongWorkRunner::Scope work(m_longWork, tr("Loading bookmarks"));
        StackFile::loadStackFile(m_state.store, path, false, DayCount::now(), nullptr, work.progress());
        if (work.cancelled())
            m_lists.showStatus(tr("Loading %1 cancelled: nothing is loaded").arg(path));
        return path;
    }
    MergeCounts counts;
    QString error;
    const StoreRecording recording(m_state, tr("Merge"));
    const URLBlock::Mark before = m_state.store.mark();
    const LongWorkRunner::Scope work(m_longWork, tr("Merging bookmarks"),
                                     [this, before] { m_state.store.takeBackTo(before); });
    if (StackFile::mergeStackFile(m_state.store, path, DayCount::now(), &counts, &error, work.progress()))
        m_lists.showStatus(MergeCommands::statusText(counts));
    else if (work.cancelled())
        m_lists.showStatus(tr("Merge cancelled: nothing was added"));
    else
        m_lists.showStatus(error);
    // Cancelled, the merge leaves the lists as they are.
    return work.cancelled() ? QString() : path;
}

QString StackCommands::SaveURLAs()
{
    QString path;
    {
        const ModalScope modal(m_state, m_window);
        for (;;) {
            path = withStackSuffix(
                m_prompter.saveFileName(tr("Save Pemberly As"), stackFilter).trimmed());
            if (path.isEmpty())
                return QString();
            if (!QFileInfo::exists(path))
                break;
            const Prompter::Answer answer = m_prompter.messageBox(
                tr("File Already Exists, Overwrite?"), Prompter::Buttons::YesNo, Prompter::Icon::None,
                QStringLiteral("Tessaly"));
            if (answer == Prompter::Answer::Yes)
                break;
        }
    }
    QString error;
    const LongWorkRunner::Scope work(m_longWork, tr("Saving bookmarks"));
    if (StackFile::saveStackFile(m_state.store, path, &error, work.progress()))
        return path;
    m_lists.showStatus(work.cancelled() ? tr("Save As cancelled: %1 was not written").arg(path) : error);
    return work.cancelled() ? QString() : path;
}

// "Save Default" replaces the default file with the store, but asks first
// when the file holds bookmarks that the store does not (it was never loaded,
// or another file was opened in its place); "No" adds the store to it, and
// the window then shows the whole file.
void StackCommands::DePopulate()
{
    m_stack.setStackBase(m_state.stackBase);
    DefaultStackFile::UnloadedContent unloaded = DefaultStackFile::UnloadedContent::Merge;
    if (m_stack.holdsUnloadedContent()) {
        const ModalScope modal(m_state, m_window);
        const Prompter::Answer answer = m_prompter.messageBox(
            tr("%1 holds bookmarks that are not loaded. Replace them with the bookmarks shown?\n\n"
               "No adds the bookmarks shown to the file instead.")
                .arg(m_stack.path()),
            Prompter::Buttons::YesNoSafe, Prompter::Icon::Question, QStringLiteral("Tessaly"));
        if (answer == Prompter::Answer::Yes)
            unloaded = DefaultStackFile::UnloadedContent::Replace;
    }
    QString error;
    if (!m_stack.DePopulate(&error, unloaded)) {
        m_lists.showStatus(error);
        return;
    }
    const QString note = m_stack.lastSaveNote();
    if (note.isEmpty())
        return;
    // The file now holds more than the window: the window goes on with the
    // file, so that its later changes replace what they change in it.
    openStack(0);
    m_lists.showStatus(note);
}
