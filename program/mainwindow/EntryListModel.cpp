// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryListModel.h"

#include "EntrySort.h"
#include "URLBlock.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

EntryListModel::EntryListModel(const URLBlock &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
    , m_texts(store.IDXList())
{
}

int EntryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_keys.size());
}

int EntryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : EntryRowTexts::ColumnCount;
}

QVariant EntryListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == KeyRole)
        return m_keys[size_t(index.row())];
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const URLData *entry = entryAt(index.row());
    return entry ? shownText(m_texts.text(*entry, index.column())) : QString();
}

QString EntryListModel::shownText(const QString &text)
{
    // A damaged file can hold titles of megabytes; laying one out on every
    // repaint would stall the list. The entry keeps its whole text.
    if (text.size() <= maxShownLength)
        return text;
    qsizetype cut = maxShownLength;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole)
        return initialOrder(section);
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return EntryRowTexts::headers().value(section);
}

void EntryListModel::setEntries(const std::vector<const URLData *> &entries)
{
    beginResetModel();
    m_keys.clear();
    m_keys.reserve(entries.size());
    for (const URLData *entry : entries)
        m_keys.push_back(entry->keyNumber());
    forgetValueSort();
    if (m_sortColumn >= 0)
        sortKeys();
    endResetModel();
}

void EntryListModel::clear()
{
    beginResetModel();
    m_keys.clear();
    forgetValueSort();
    endResetModel();
}

Qt::SortOrder EntryListModel::initialOrder(int column)
{
    return EntrySort::isValueColumn(column) ? Qt::DescendingOrder : Qt::AscendingOrder;
}

void EntryListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= EntryRowTexts::ColumnCount)
        return;
    const QModelIndexList persistent = persistentIndexList();
    std::vector<quint32> keysBefore;
    keysBefore.reserve(size_t(persistent.size()));
    for (const QModelIndex &index : persistent)
        keysBefore.push_back(keyAt(index.row()));
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_sortColumn = column;
    m_sortOrder = order;
    sortKeys();
    // Selected and current rows follow their entries.
    QModelIndexList after;
    after.reserve(persistent.size());
    std::unordered_map<quint32, int> rows;
    if (!persistent.isEmpty()) {
        rows.reserve(m_keys.size());
        for (size_t row = 0; row < m_keys.size(); ++row)
            rows.emplace(m_keys[row], int(row));
    }
    for (qsizetype i = 0; i < persistent.size(); ++i) {
        const auto found = rows.find(keysBefore[size_t(i)]);
        after << (found == rows.end() ? QModelIndex() : index(found->second, persistent[i].column()));
    }
    changePersistentIndexList(persistent, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void EntryListModel::sortKeys()
{
    const bool reversed = m_sortOrder != initialOrder(m_sortColumn);
    EntrySort::sort(m_keys, m_store, m_sortColumn, reversed);
}

// A refill lists the rows in store order unless they were sorted by text.
void EntryListModel::forgetValueSort()
{
    if (m_sortColumn >= 0 && EntrySort::isValueColumn(m_sortColumn))
        m_sortColumn = -1;
}

void EntryListModel::refreshRows(const std::vector<int> &rows)
{
    for (const int row : rows) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void EntryListModel::removeKeys(const std::vector<quint32> &keys)
{
    const std::unordered_set<quint32> gone(keys.begin(), keys.end());
    // The runs of adjacent rows to remove, first row and last.
    std::vector<std::pair<int, int>> runs;
    for (int row = 0; row < rowCount(); ++row) {
        if (!gone.count(m_keys[size_t(row)]))
            continue;
        if (!runs.empty() && runs.back().second == row - 1)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    if (runs.size() <= maxRemovedRuns) {
        // From the last run up, so that the earlier rows keep their places.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            beginRemoveRows(QModelIndex(), run->first, run->second);
            m_keys.erase(m_keys.begin() + run->first, m_keys.begin() + run->second + 1);
            endRemoveRows();
        }
        return;
    }
    // Many scattered rows: one pass over the rows and one layout change,
    // rather than shifting the rows below each run again.
    emit layoutAboutToBeChanged();
    std::vector<int> newRow(m_keys.size(), -1);
    size_t kept = 0;
    for (size_t row = 0; row < m_keys.size(); ++row) {
        if (gone.count(m_keys[row]))
            continue;
        newRow[row] = int(kept);
        m_keys[kept++] = m_keys[row];
    }
    m_keys.resize(kept);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList after;
    after.reserve(persistent.size());
    for (const QModelIndex &old : persistent) {
        const int row = newRow[size_t(old.row())];
        after << (row < 0 ? QModelIndex() : index(row, old.column()));
    }
    changePersistentIndexList(persistent, after);
    emit layoutChanged();
}

void EntryListModel::appendEntry(const URLData &entry)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_keys.push_back(entry.keyNumber());
    endInsertRows();
}

void EntryListModel::refreshTexts()
{
    if (!m_keys.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

quint32 EntryListModel::keyAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_keys[size_t(row)] : 0;
}

const URLData *EntryListModel::entryAt(int row) const
{
    const qsizetype position = m_store.urlDatas().positionOfKey(keyAt(row));
    return position ? m_store.urlDatas().Item(position) : nullptr;
}
