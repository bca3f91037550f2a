// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class EntryListView;
class QComboBox;
class QPushButton;

// The Standard tab: the group combo with its menu button and the rating
// filter button above the Standard entry list.
class StandardView : public QWidget
{
    Q_OBJECT

public:
    explicit StandardView(QWidget *parent = nullptr);

    QComboBox *groupCombo() const { return m_combo; }
    QPushButton *groupMenuButton() const { return m_groupMenu; }
    QPushButton *ratingFilterButton() const { return m_ratingFilters; }
    EntryListView *list() const { return m_list; }

    // The group number of the chosen line; -1 when none is chosen.
    int selectedGroup() const;
    // Chooses the line of a group; false when no line has it.
    bool selectGroup(int number);

private:
    QComboBox *m_combo = nullptr;
    QPushButton *m_groupMenu = nullptr;
    QPushButton *m_ratingFilters = nullptr;
    EntryListView *m_list = nullptr;
};
