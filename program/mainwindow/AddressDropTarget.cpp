// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddressDropTarget.h"

#include <QAbstractItemView>
#include <QDropEvent>
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

}  // namespace

AddressDropTarget::AddressDropTarget(QAbstractItemView *list)
    : QObject(list)
{
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->setDropIndicatorShown(false);
    list->setDragDropMode(QAbstractItemView::DropOnly);
    // Drags reach a list through its viewport.
    list->viewport()->installEventFilter(this);
}

bool AddressDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString address = droppedAddress(drop->mimeData());
        if (address.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            emit addressDropped(address);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
