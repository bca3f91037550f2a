// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QAbstractItemView;

// Makes a list take addresses dropped on it (a link from a browser, or any
// plain text): drags that carry one are accepted, others refused, and a
// drop gives its address. The list's own drag and drop is not used.
class AddressDropTarget : public QObject
{
    Q_OBJECT

public:
    explicit AddressDropTarget(QAbstractItemView *list);

signals:
    void addressDropped(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
