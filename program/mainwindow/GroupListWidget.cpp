// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GroupListWidget.h"

#include "AddressDropTarget.h"
#include "GroupTable.h"
#include "ListKeys.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

GroupListWidget::GroupListWidget(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ListView1_3"));
    setAccessibleName(tr("Groups"));
    setColumnCount(1);
    setHeaderLabels({tr("Index Mask")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    connect(new AddressDropTarget(this), &AddressDropTarget::addressDropped, this,
            &GroupListWidget::addressDropped);
}

void GroupListWidget::fill(const GroupTable &groups, bool withCheckBoxes)
{
    clear();
    for (int i = 0; i < groups.groupCount(); ++i)
        appendGroup(groups.at(i).name, groups.at(i).number, groups.at(i).inIndexMask, withCheckBoxes);
}

void GroupListWidget::appendGroup(const QString &name, int number, bool checked, bool withCheckBox)
{
    auto *item = new QTreeWidgetItem(this, {name});
    item->setData(0, NumberRole, number);
    if (withCheckBox)
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

int GroupListWidget::selectedGroup() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, NumberRole).toInt();
}

QTreeWidgetItem *GroupListWidget::itemOf(int number) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, NumberRole).toInt() == number)
            return topLevelItem(i);
    }
    return nullptr;
}

bool GroupListWidget::selectGroup(int number)
{
    QTreeWidgetItem *item = itemOf(number);
    if (!item)
        return false;
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
    return true;
}

void GroupListWidget::renameGroup(int number, const QString &name)
{
    if (QTreeWidgetItem *item = itemOf(number)) {
        item->setText(0, name);
        scrollToItem(item);
    }
}

void GroupListWidget::removeGroup(int number)
{
    delete itemOf(number);
    // The rows after it now stand for the groups one place lower.
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        const int tag = item->data(0, NumberRole).toInt();
        if (tag > number)
            item->setData(0, NumberRole, tag - 1);
    }
}

QList<QPair<int, bool>> GroupListWidget::checkMarks() const
{
    QList<QPair<int, bool>> marks;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = topLevelItem(i);
        marks.append({item->data(0, NumberRole).toInt(), item->checkState(0) == Qt::Checked});
    }
    return marks;
}

void GroupListWidget::setAllChecked(bool checked)
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void GroupListWidget::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        emit groupClicked(selectedGroup());
}

void GroupListWidget::keyPressEvent(QKeyEvent *event)
{
    if (const int item = ListKeys::findItem(event); item >= 0) {
        emit findKeyPressed(item);
    } else if (ListKeys::asksForPopUp(event)) {
        emit contextMenuWanted(ListKeys::popUpPosition(this));
    } else {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GroupListWidget::keyReleaseEvent(QKeyEvent *event)
{
    QTreeWidget::keyReleaseEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (selectedGroup() >= 0)
            emit groupChosen(selectedGroup());
        break;
    default:
        break;
    }
}

void GroupListWidget::contextMenuEvent(QContextMenuEvent *event)
{
    // The Menu key opens the menu at the current row, not at the mouse.
    emit contextMenuWanted(event->reason() == QContextMenuEvent::Keyboard ? ListKeys::popUpPosition(this)
                                                                          : event->globalPos());
}
