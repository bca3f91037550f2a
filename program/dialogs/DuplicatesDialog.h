// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Duplicates.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class URLBlock;

// The "Duplicates" window: the sets of entries that hold the same page, each
// a branch whose entries carry a check mark on the one kept (at first the
// earliest created; Space or "Keep This" moves it). "Merge" asks the owner to
// merge (mergeRequested); "Close" or Escape closes the window.
class DuplicatesDialog : public QDialog
{
    Q_OBJECT

public:
    DuplicatesDialog(const URLBlock &store, const std::vector<DuplicateSet> &sets, QWidget *parent = nullptr);

    // The key number kept of each set, in the sets' order.
    std::vector<quint32> keptKeys() const;
    // How many entries a merge removes.
    qsizetype removedCount() const { return m_removed; }

signals:
    void mergeRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void addSet(const URLBlock &store, const DuplicateSet &set, int number);
    void keep(QTreeWidgetItem *item);
    void keepCurrent();
    void itemChanged(QTreeWidgetItem *item, int column);

    QTreeWidget *m_sets = nullptr;
    QPushButton *m_merge = nullptr;
    qsizetype m_removed = 0;
    bool m_marking = false;  // the check marks are being set, not clicked
};
