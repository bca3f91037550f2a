#include "EntryListModel.h"

#include "URLBlock.h"

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
    endResetModel();
}

void EntryListModel::clear()
{
    beginResetModel();
    m_keys.clear();
    endResetModel();
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

int EntryListModel::rowOfKey(quint32 key) const
{
    for (size_t row = 0; row < m_keys.size(); ++row) {
        if (m_keys[row] == key)
            return int(row);
    }
    return -1;
}

const URLData *EntryListModel::entryAt(int row) const
{
    const qsizetype position = m_store.urlDatas().positionOfKey(keyAt(row));
    return position ? m_store.urlDatas().Item(position) : nullptr;
}
