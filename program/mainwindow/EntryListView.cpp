#include "EntryListView.h"

#include "EntryListModel.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
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
