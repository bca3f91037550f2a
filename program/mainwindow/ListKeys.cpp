// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListKeys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace ListKeys {

int findItem(const QKeyEvent *event)
{
    if (event->modifiers() != Qt::ControlModifier)
        return -1;
    switch (event->key()) {
    case Qt::Key_F:
        return 0;
    case Qt::Key_N:
        return 1;
    case Qt::Key_P:
        return 2;
    default:
        return -1;
    }
}

bool asksForPopUp(const QKeyEvent *event)
{
    return event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
}

bool opensEntry(const QKeyEvent *event)
{
    // The keypad's Enter comes with the keypad modifier.
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool removesEntries(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Delete && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool startsSearch(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint() && !text.front().isSpace();
}

QPoint popUpPosition(const QAbstractItemView *list)
{
    const QWidget *viewport = list->viewport();
    const QRect row = list->visualRect(list->currentIndex()).intersected(viewport->rect());
    return viewport->mapToGlobal(row.isEmpty() ? QPoint(0, 0) : row.bottomLeft());
}

}  // namespace ListKeys
