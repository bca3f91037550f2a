// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MergeCommands.h"

#include "AppState.h"
#include "ChromiumProfiles.h"
#include "ComponentRegistry.h"
#include "DayCount.h"
#include "EntryListHost.h"
#include "FirefoxProfiles.h"
#include "InternetShortcut.h"
#include "LongWorkRunner.h"
#include "MainMenus.h"
#include "MergeTarget.h"
#include "ModalScope.h"
#include "Prompter.h"
#include "StoreRecording.h"
#include "TrayWindowSettingsHost.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>
#include <functional>
#include <memory>

const QString MergeCommands::progId = QStringLiteral("Pemberly.mergeBrow");

MergeCommands::MergeCommands(AppState &state, Prompter &prompter, EntryListHost &lists,
                             LongWorkRunner &longWork, TrayWindowSettingsHost *tray, const MainMenus &menus,
                             QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_lists(lists)
    , m_longWork(longWork)
    , m_tray(tray)
    , m_window(window)
{
    connect(menus.mnuMergeFavorites, &QAction::triggered, this, &MergeCommands::mergeFavorites);
    connect(menus.mnuMergeNetscape, &QAction::triggered, this, &MergeCommands::mergeNetscape);
    QMenu *firefox = menus.mnuMergeFirefox;
    QMenu *chromium = menus.mnuMergeChromium;
    connect(firefox, &QMenu::aboutToShow, this, [this, firefox] { listProfiles(firefox, true); });
    connect(chromium, &QMenu::aboutToShow, this, [this, chromium] { listProfiles(chromium, false); });
}

void MergeCommands::listProfiles(QMenu *menu, bool firefox)
{
    menu->clear();
    QList<QPair<QString, QString>> profiles;  // label, folder
    if (firefox) {
        // A profile Firefox made but never used has no bookmarks database: not listed.
        for (const QString &folder : FirefoxProfiles::profileFolders(QDir::homePath()))
            if (QFileInfo::exists(folder + QStringLiteral("/places.sqlite")))
                profiles.append({QFileInfo(folder).fileName(), folder});
    } else {
        for (const ChromiumProfiles::Profile &profile : ChromiumProfiles::bookmarkProfiles(QDir::homePath()))
            profiles.append({profile.label, profile.folder});
    }
    for (const auto &[label, folder] : profiles) {
        QAction *action = menu->addAction(label);
        action->setObjectName(QStringLiteral("mnuMergeProfile"));
        action->setToolTip(QDir::toNativeSeparators(folder));
        action->setStatusTip(QDir::toNativeSeparators(folder));
        connect(action, &QAction::triggered, this, [this, firefox, folder = folder] {
            firefox ? mergeFirefox(folder) : mergeChromium(folder);
        });
    }
    if (profiles.isEmpty())
        menu->addAction(tr("No profile found"))->setEnabled(false);
}

void MergeCommands::mergeFirefox(const QString &profileFolder)
{
    mergeProfile("MergeFirefox", profileFolder);
}

void MergeCommands::mergeChromium(const QString &profileFolder)
{
    mergeProfile("MergeChromium", profileFolder);
}

void MergeCommands::mergeProfile(const char *method, const QString &profileFolder)
{
    m_lists.showStatus(tr("Reading %1").arg(QDir::toNativeSeparators(profileFolder)));
    runMerge([this, method, profileFolder](QObject *mb) {
        bool read = false;
        QMetaObject::invokeMethod(mb, method, Q_RETURN_ARG(bool, read), Q_ARG(QString, profileFolder));
        if (!read)
            m_mergeError = mb->property("errorText").toString();
    });
}

void MergeCommands::mergeFavorites()
{
    const QString folder = askForFavoritesFolder();
    if (folder.isEmpty())
        return;
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
        m_lists.showStatus(tr("Cannot read the folder %1").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    // The tray window's handle, kept by the merge object; 0 without a native window.
    auto *tray = dynamic_cast<QWidget *>(m_tray);
    const qlonglong hWnd = tray ? qlonglong(tray->internalWinId()) : 0;
    runMerge([hWnd, folder](QObject *mb) {
        mb->setProperty("favoritesFolder", folder);
        QMetaObject::invokeMethod(mb, "MergeFaves", Q_ARG(qlonglong, hWnd));
    });
}

// Here only "Bookmarks Folder" fills the favorites folder: merging it unasked
// would bring back, as duplicates, the entries just sent there. The folder is
// asked for, starting at the favorites folder.
QString MergeCommands::askForFavoritesFolder()
{
    const ModalScope modal(m_state, m_window);
    return m_prompter.folderName(tr("Merge From Favorites Folder"), InternetShortcut::favoritesFolder());
}

void MergeCommands::mergeNetscape()
{
    runMerge([this](QObject *mb) {
        mb->setProperty("thisForm", QVariant::fromValue<QObject *>(m_window));
        QMetaObject::invokeMethod(mb, "OpenNSAs", Q_ARG(bool, true));
    });
}

void MergeCommands::runMerge(const std::function<void(QObject *)> &call)
{
    QString error;
    std::unique_ptr<QObject> mb(ComponentRegistry::createObject(progId, nullptr, &error));
    if (!mb) {
        m_lists.showStatus(error);
        return;
    }
    // One step of the history, unless cancelled: a cancelled merge takes
    // back all it added: the store, its change count, and the lists (never
    // refilled meanwhile) are as before.
    const StoreRecording recording(m_state, tr("Merge"));
    const URLBlock::Mark before = m_state.store.mark();
    MergeTarget target(m_state.store, DayCount::now(), mb.get());
    ComponentRegistry::connectEventsByName(mb.get(), &target, QStringLiteral("mb"));
    ComponentRegistry::connectEventsByName(mb.get(), this, QStringLiteral("mb"));
    // The bookmarks go to the store directly, without an event each; the
    // progress still comes as events.
    mb->setProperty("sink", QVariant::fromValue<QObject *>(&target));
    bool cancelled = false;
    {
        // The tray's timer and the entry commands wait while the merge runs.
        const ModalScope modal(m_state, m_window);
        const LongWorkRunner::Scope work(m_longWork, tr("Merging bookmarks"),
                                         [this, before] { m_state.store.takeBackTo(before); });
        m_work = &work.work();
        call(mb.get());
        m_work = nullptr;
        cancelled = work.cancelled();
    }
    mb.reset();
    if (cancelled) {
        m_state.store.takeBackTo(before);
        m_lists.showStatus(tr("Merge cancelled: nothing was added"));
        m_mergeError.clear();
        return;
    }
    if (!m_mergeError.isEmpty()) {
        // Nothing was merged.
        m_lists.showStatus(m_mergeError);
        m_mergeError.clear();
        return;
    }
    finish(target.counts());
}

void MergeCommands::finish(const MergeCounts &counts)
{
    m_lists.fullScrnRefresh(true);
    if (counts.groupsAdded > 0 || counts.entriesAdded > 0 || counts.entriesUpdated > 0)
        m_state.store.countChange();
    m_lists.showStatus(statusText(counts));
}

QString MergeCommands::statusText(const MergeCounts &counts)
{
    if (counts.groupsAdded == 0 && counts.entriesAdded == 0 && counts.alreadyThere == 0
        && counts.entriesRefused == 0)
        return QString();
    const auto entries = [](qint64 count) { return tr("%n entry(s)", nullptr, int(count)); };
    QString text
        = tr("Merged %1, %2")
              .arg(tr("%n group(s)", nullptr, int(counts.groupsAdded)), entries(counts.entriesAdded));
    if (counts.alreadyThere > 0)
        text += tr("; %1 already there").arg(counts.alreadyThere);
    if (counts.entriesUpdated > 0)
        text += tr(", %1 of them with newer visits").arg(counts.entriesUpdated);
    if (counts.entriesRefused > 0)
        text += tr("; %1 found no room").arg(entries(counts.entriesRefused));
    return text;
}

void MergeCommands::mb_Progress(qint64 done, qint64 total)
{
    if (total > 0)
        m_lists.showStatus(tr("Merging: %1%").arg(done * 100 / total));
    else
        m_lists.showStatus(tr("Merging: %n folder(s)", nullptr, int(done)));
    // The window repaints and the dialog answers at the steps of the work;
    // a cancel stops the merge object at once.
    if (m_work && !m_work->step(done, total) && sender())
        sender()->setProperty("Cancel", true);
}
