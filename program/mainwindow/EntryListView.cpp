#include "EntryListView.h"

#include "EntryListModel.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

namespace {

// The address a drop carries: its plain text, or else its first URL.
QString droppedAddress(const QMimeData *data)
{
    if (!data)
        return QString();
    if (data->hasText())
        return data->text().trimmed();
    if (data->hasUrls() && !data->urls().isEmpty())
        return data->urls().first().toString();
    return QString();
}

} // namespace

EntryListView::EntryListView(const QString &objectName, QWidget *parent)
    : QTreeView(parent)
{
    setObjectName(objectName);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    // The last column takes the width the others leave.
    header()->setStretchLastSection(true);
    // A click on a column header sorts the list (the commands decide how).
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
}

quint32 EntryListView::currentKey() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.data(EntryListModel::KeyRole).toUInt() : 0;
}

void EntryListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedAddress(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void EntryListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppedAddress(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void EntryListView::dropEvent(QDropEvent *event)
{
    const QString address = droppedAddress(event->mimeData());
    if (address.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit addressDropped(address);
}

void EntryListView::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuWanted(event->globalPos());
}

void EntryListView::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        static const int keys[] = {Qt::Key_F, Qt::Key_N, Qt::Key_P};
        for (int item = 0; item < 3; ++item) {
            if (event->key() == keys[item]) {
                emit findKeyPressed(item);
                return;
            }
        }
    }
    QTreeView::keyPressEvent(event);
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        emit arrowKeyPressed();
}

void EntryListView::reset()
{
    QTreeView::reset();
    if (const auto *entries = qobject_cast<const EntryListModel *>(model()))
        header()->setSortIndicatorShown(entries->sortColumn() >= 0);
}
