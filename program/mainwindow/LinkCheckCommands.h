// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LinkCheckResult.h"
#include "LinkChecker.h"

#include <QObject>
#include <vector>

class EntryListHost;
class LinkCheckDialog;
class LinkRepair;
class MainMenus;
class Prompter;
class QWidget;
struct AppState;

// "Check Links" on the selected entries (URLs menu, the lists' pop-up) or
// on the current group (Groups menu, the group list's pop-up): checks their
// addresses in the "Check Links" window, and on the user's word removes the
// entries whose page is gone or gives the moved ones their new address,
// each as one change of the store.
class LinkCheckCommands : public QObject
{
    Q_OBJECT

public:
    // window: the parent of the "Check Links" window and of these commands.
    LinkCheckCommands(AppState &state, Prompter &prompter, EntryListHost &lists, const MainMenus &menus,
                      QWidget *window);

    void checkSelection();
    void checkCurrentGroup();

    // The checker's limits and time-out for the next check.
    void setLimits(const LinkChecker::Limits &limits) { m_limits = limits; }

    // The one way a link check changes the store: applies the repair, counts
    // one change and refreshes the lists. Returns how many entries changed.
    qsizetype changeStore(const LinkRepair &repair, const QString &commandName);

private:
    struct Row
    {
        quint32 key = 0;
        QString title;
        QString address;
        LinkCheckResult result;
        bool checked = false;
        bool repaired = false;
    };

    void check(std::vector<Row> rows);
    void removeGone(LinkCheckDialog &dialog, std::vector<Row> &rows);
    void updateMoved(LinkCheckDialog &dialog, std::vector<Row> &rows);
    static qsizetype countOf(const std::vector<Row> &rows, LinkCheckResult::Outcome outcome);
    static QList<int> rowsOf(const std::vector<Row> &rows, LinkCheckResult::Outcome outcome);

    AppState &m_state;
    Prompter &m_prompter;
    EntryListHost &m_lists;
    QWidget *m_window;
    LinkChecker::Limits m_limits;
};
