// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <functional>

class EntryListHost;
class LongWork;
class LongWorkRunner;
class MainMenus;
class Prompter;
class QMenu;
class QWidget;
class TrayWindowSettingsHost;
struct AppState;
struct MergeCounts;

// The main window's "Merge From" commands for a favorites folder, a
// Netscape bookmark file and a browser's profile. Each creates the library's merge object through
// the component registry, receives its events into the store, and rebuilds
// the screen once the merge is over. User commands wait until then: the
// window only repaints while a large file is read, and a long merge shows
// its progress (LongWorkRunner), where it can be cancelled: all it added is
// then taken back. The status bar then says what was added and how many
// entries were already there.
class MergeCommands : public QObject
{
    Q_OBJECT

public:
    static const QString progId;

    // window: the parent of the prompts and of these commands, and the form
    // the merge object calls back by name; tray: the tray window, whose
    // handle a favorites merge is given (may be null).
    MergeCommands(AppState &state, Prompter &prompter, EntryListHost &lists, LongWorkRunner &longWork,
                  TrayWindowSettingsHost *tray, const MainMenus &menus, QWidget *window);

    // Asks for the folder to merge, starting at the favorites folder.
    void mergeFavorites();
    void mergeNetscape();
    // The bookmarks of a Firefox or Chromium profile folder, with their visits.
    void mergeFirefox(const QString &profileFolder);
    void mergeChromium(const QString &profileFolder);

    // The status bar's text after a merge; empty when it met nothing.
    static QString statusText(const MergeCounts &counts);

    // Creates the merge object, runs call on it with its events received,
    // releases it and shows what was added.
    void runMerge(const std::function<void(QObject *mb)> &call);

public slots:
    // The merge object's progress event.
    void mb_Progress(qint64 done, qint64 total);

private:
    QString askForFavoritesFolder();
    void finish(const MergeCounts &counts);
    // Fills a profile menu, as it opens, with the profiles found now.
    void listProfiles(QMenu *menu, bool firefox);
    void mergeProfile(const char *method, const QString &profileFolder);

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_lists;
    LongWorkRunner &m_longWork;
    TrayWindowSettingsHost *m_tray;
    QWidget *m_window;
    LongWork *m_work = nullptr;  // of the merge running
    QString m_mergeError;  // why the merge running read nothing
};
