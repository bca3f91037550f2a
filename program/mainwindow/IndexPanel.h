// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class FilterSection;
class GroupListWidget;
class QPushButton;
struct ViewFilter;

// The Advanced tab's index panel in its three modes: the index mask (a
// checkable group list whose checked groups are listed together), the group
// list (one group at a time) and the filter section.
class IndexPanel : public QWidget
{
    Q_OBJECT

public:
    explicit IndexPanel(QWidget *parent = nullptr);

    GroupListWidget *groupList() const { return m_groupList; }
    FilterSection *filterSection() const { return m_filters; }
    // cmdIndex 0 "Set All", 1 "CLR", 2 "Filter", 3 "Apply Filter".
    QPushButton *indexButton(int index) const;
    // Command3 0 previous mode, 1 "Menu", 2 next mode.
    QPushButton *modeButton(int index) const;

    // Shows the controls of a mode; in the filter mode the controls are
    // loaded from the filter settings.
    void buildFilterScrn(int advMode, const ViewFilter &filter);

private:
    GroupListWidget *m_groupList = nullptr;
    FilterSection *m_filters = nullptr;
    QList<QPushButton *> m_indexButtons;
    QList<QPushButton *> m_modeButtons;
};
