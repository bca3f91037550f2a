// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryRowTexts.h"

#include <QAbstractTableModel>

#include <vector>

class URLBlock;
class URLData;

// The rows of an entry list: each row holds its entry's key (the row's tag);
// the column texts are made from the store when the view asks for them, so a
// refill of 100,000 rows costs one pass over the keys and nothing per cell
// that is not shown.
class EntryListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int KeyRole = Qt::UserRole + 1;
    // A removal of more runs of adjacent rows than this is one layout change.
    static constexpr size_t maxRemovedRuns = 32;
    // Cells and tool tips show at most this many characters of a text.
    static constexpr qsizetype maxShownLength = 4000;

    explicit EntryListModel(const URLBlock &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces all rows at once (the list is cleared once, not row by row).
    void setEntries(const std::vector<const URLData *> &entries);
    void clear();
    // Adds one row for an entry at the end.
    void appendEntry(const URLData &entry);
    // Rewrites the texts of every row (after a group was renamed, say).
    void refreshTexts();
    // Rewrites the texts of these rows (after their entries changed).
    void refreshRows(const std::vector<int> &rows);
    // Removes the rows of these keys; adjacent rows go as one range.
    void removeKeys(const std::vector<quint32> &keys);

    // Orders the rows by a column (see EntrySort): a value column's
    // descending order is its natural one, largest first. A text column's
    // order is kept through later refills; a value column's lasts until the
    // next refill, which lists the rows in store order again.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The column the rows are sorted by, -1 for store order.
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // The order a first click on a column gives: largest first for values.
    static Qt::SortOrder initialOrder(int column);

    quint32 keyAt(int row) const;
    // The entry of a row; null when the store no longer holds it.
    const URLData *entryAt(int row) const;

    // A text as a cell shows it: cut to maxShownLength, with an ellipsis.
    static QString shownText(const QString &text);

private:
    const URLBlock &m_store;
    EntryRowTexts m_texts;
    void sortKeys();
    void forgetValueSort();

    std::vector<quint32> m_keys;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
