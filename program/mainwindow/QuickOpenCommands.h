// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "QuickOpenIndex.h"

#include <QList>
#include <QObject>

class EntryDialogCommands;
class EntryListHost;
class EntryListView;
class MainMenus;
class QWidget;
class SelectionCommands;
struct AppState;

// "Quick Open" (Ctrl+K, or a character typed into an entry list): a search
// over every entry of the store, whatever the window shows. The entry chosen
// is opened as a double click opens it, or edited in the entry editor.
//
// The search index is built when the window first searches and again
// whenever the store has changed since (or an hour has passed, which
// changes how recent the visits are).
class QuickOpenCommands : public QObject
{
    Q_OBJECT

public:
    // The window shows this many of the best matches.
    static constexpr size_t shownMatches = 100;

    // Opens on the menu's command and on a character typed into any of the
    // entry lists while it is the active one; the chosen entry goes to
    // selection (open) or dialogs (edit). window: the parent of the search
    // window and of these commands.
    QuickOpenCommands(AppState &state, EntryListHost &lists, SelectionCommands &selection,
                      EntryDialogCommands &dialogs, const MainMenus &menus,
                      const QList<EntryListView *> &entryLists, QWidget *window);

    // Opens the search window with text in its field.
    void quickOpen(const QString &text = QString());
    // The index, brought up to date with the store.
    QuickOpenIndex &index();

private:
    AppState &m_state;
    EntryListHost &m_lists;
    SelectionCommands &m_selection;
    EntryDialogCommands &m_dialogs;
    QWidget *m_window;
    QuickOpenIndex m_index;
    bool m_built = false;
    quint64 m_revision = 0;
    qsizetype m_count = 0;
    quint32 m_lastKey = 0;
    double m_builtAt = 0;
};
