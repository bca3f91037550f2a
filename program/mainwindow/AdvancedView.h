// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class EntryListView;
class IndexPanel;
class QToolButton;

// The Advanced tab: the index panel, its flip button and the Advanced entry list.
class AdvancedView : public QWidget
{
    Q_OBJECT

public:
    explicit AdvancedView(QWidget *parent = nullptr);

    IndexPanel *indexPanel() const { return m_panel; }
    QToolButton *flipButton() const { return m_flip; }
    EntryListView *list() const { return m_list; }

    // Shows or hides the index panel; hidden, the list takes its width.
    void setPanelExpanded(bool expanded);
    // The flip button's picture: "b1u" while expanded, "b1d" otherwise.
    void setMiniIcons(const QString &appFolder, bool expanded);

private:
    IndexPanel *m_panel = nullptr;
    QToolButton *m_flip = nullptr;
    EntryListView *m_list = nullptr;
};
