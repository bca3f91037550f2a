// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryListView.h"

#include "AddressDropTarget.h"
#include "EntryListModel.h"
#include "ListKeys.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

EntryListView::EntryListView(const QString &objectName, QWidget *parent)
    : QTreeView(parent)
{
    setObjectName(objectName);
    setAccessibleName(tr("Entries"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(new AddressDropTarget(this), &AddressDropTarget::addressDropped, this,
            &EntryListView::addressDropped);
    // The last column takes the width the others leave.
    header()->setStretchLastSection(true);
    // A click on a column header sorts the list (the commands decide how).
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
}

void EntryListView::selectOnly(int row)
{
    // The view's own setCurrentIndex moves the start of a Shift selection;
    // the keys held now (Ctrl of Ctrl+N) must not make it a toggle.
    m_selectingOnly = true;
    setCurrentIndex(model()->index(row, 0));
    m_selectingOnly = false;
    scrollTo(currentIndex());
}

QItemSelectionModel::SelectionFlags EntryListView::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    if (m_selectingOnly)
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return QTreeView::selectionCommand(index, event);
}

void EntryListView::contextMenuEvent(QContextMenuEvent *event)
{
    // The Menu key opens the menu at the current row, not at the mouse.
    emit contextMenuWanted(event->reason() == QContextMenuEvent::Keyboard ? ListKeys::popUpPosition(this)
                                                                          : event->globalPos());
}

void EntryListView::keyPressEvent(QKeyEvent *event)
{
    if (const int item = ListKeys::findItem(event); item >= 0) {
        emit findKeyPressed(item);
    } else if (ListKeys::asksForPopUp(event)) {
        emit contextMenuWanted(ListKeys::popUpPosition(this));
    } else if (ListKeys::opensEntry(event)) {
        emit openKeyPressed();
    } else if (ListKeys::removesEntries(event)) {
        emit removeKeyPressed();
    } else if (ListKeys::startsSearch(event)) {
        emit searchTyped(event->text());
    } else {
        QTreeView::keyPressEvent(event);
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
            emit arrowKeyPressed();
        return;
    }
    event->accept();
}

void EntryListView::reset()
{
    QTreeView::reset();
    if (const auto *entries = qobject_cast<const EntryListModel *>(model()))
        header()->setSortIndicatorShown(entries->sortColumn() >= 0);
}
