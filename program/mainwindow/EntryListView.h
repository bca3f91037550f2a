// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTreeView>

// An entry list: a report-style view of an EntryListModel that accepts
// dropped addresses and says which of its keys were pressed.
class EntryListView : public QTreeView
{
    Q_OBJECT

public:
    explicit EntryListView(const QString &objectName, QWidget *parent = nullptr);

    // Makes row the current and only selected one, scrolled into view, as
    // a click does: a selection that Shift extends later begins there.
    void selectOnly(int row);

signals:
    // Text was dropped on the list: an address to add.
    void addressDropped(const QString &address);
    // The right button, the Menu key or Shift+F10.
    void contextMenuWanted(const QPoint &globalPos);
    // Enter or Return: open the current entry, as a double click does.
    void openKeyPressed();
    // Delete: remove the selected entries.
    void removeKeyPressed();
    // Up or Down moved the current row.
    void arrowKeyPressed();
    // Ctrl+F (0 "Find"), Ctrl+N (1 "Find Next"), Ctrl+P (2 "Find Previous").
    void findKeyPressed(int item);
    // A character was typed: the start of a quick-open search.
    void searchTyped(const QString &text);

public slots:
    // A refilled list shows its sort order only while its rows are sorted.
    void reset() override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_selectingOnly = false;
};
