// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryListColumns.h"

#include <QWidget>

class AdvancedView;
class EntryListModel;
class EntryListView;
class GroupTable;
class QStackedWidget;
class QTabBar;
class StandardView;
class URLBlock;
struct ViewState;

// The main window's middle: the tab strip over the Advanced and Standard
// pages, each with its entry list and that list's own model, and the group
// chosen on each (the index panel's group list, the Standard page's combo).
// Which page is active and how the index panel is laid out come from the
// window's view state; the window decides when to change them.
class EntryPages : public QWidget
{
    Q_OBJECT

public:
    EntryPages(URLBlock &store, const ViewState &view, QWidget *parent = nullptr);

    QTabBar *tabStrip() const { return m_tabs; }
    StandardView *standardView() const { return m_standard; }
    AdvancedView *advancedView() const { return m_advanced; }
    EntryListModel *activeModel() const;
    EntryListView *activeList() const;

    // Shows a page (ViewState::AdvancedTab or StandardTab) and its tab.
    void showPage(int tab);
    // The tab strip on a side (0 top, 1 bottom, 2 left, 3 right), the pages
    // beside it; other values change nothing.
    void setTabPlacement(int placement);
    // The tab strip, the flip button and the Standard page's controls shown
    // or hidden (the full-window view hides them).
    void showControls(bool shown);
    // Fills the active list from the store with the group choice and the
    // filters; false when the group choice leaves the list as it is.
    bool refillActiveList();
    // The active list's column widths from or into the settings' (twips).
    void applyColumnWidths(const EntryListColumns::Widths &widths);
    void storeColumnWidths(EntryListColumns::Widths &widths) const;
    // Empties a page's list.
    void clearList(int tab);
    // Empties both lists and the group combo.
    void clearLists();

    // The group whose entries the active page lists; -1 when none is chosen.
    int selectedGroup() const;
    // Chooses a group on the active page.
    void selectGroup(int group);
    // The Standard page's combo filled from the group table; it keeps its
    // group, or shows none.
    void fillGroupCombo();
    // The index panel's group list filled, on the remembered group (or the
    // first); unless force, only in its group modes and with groups to show.
    void fillGroupList(bool force);
    // The index panel laid out for its mode and filters.
    void buildFilterScrn();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const URLBlock &m_store;
    const ViewState &m_view;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_pages = nullptr;
    StandardView *m_standard = nullptr;
    AdvancedView *m_advanced = nullptr;
    EntryListModel *m_standardModel = nullptr;
    EntryListModel *m_advancedModel = nullptr;
};
