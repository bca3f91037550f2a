// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "URLDatas.h"

#include <algorithm>
#include <new>
#include <utility>

URLDatas::~URLDatas()
{
    Clear();
}

URLData *URLDatas::newEntry()
{
    void *place = nullptr;
    if (!m_freeSlots.empty()) {
        place = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        if (m_lastBlockUsed == m_lastBlockSize) {
            m_blocks.push_back(std::make_unique_for_overwrite<Slot[]>(size_t(blockSize)));
            m_lastBlockSize = blockSize;
            m_lastBlockUsed = 0;
        }
        place = &m_blocks.back()[size_t(m_lastBlockUsed++)];
    }
    return new (place) URLData;
}

void URLDatas::destroy(URLData *entry)
{
    entry->~URLData();
    m_freeSlots.push_back(entry);
}

void URLDatas::swap(URLDatas &other) noexcept
{
    m_entries.swap(other.m_entries);
    std::swap(m_lastKey, other.m_lastKey);
    m_blocks.swap(other.m_blocks);
    std::swap(m_lastBlockSize, other.m_lastBlockSize);
    std::swap(m_lastBlockUsed, other.m_lastBlockUsed);
    m_freeSlots.swap(other.m_freeSlots);
}

void URLDatas::reserve(qsizetype count)
{
    m_entries.reserve(size_t(count));
    const qsizetype room = m_lastBlockSize - m_lastBlockUsed + qsizetype(m_freeSlots.size());
    const qsizetype missing = count - Count() - room;
    if (missing <= 0)
        return;
    // One block for all that is missing (at least an ordinary block).
    const qsizetype size = std::max(missing, blockSize);
    m_blocks.push_back(std::make_unique_for_overwrite<Slot[]>(size_t(size)));
    // The free part of the previous last block is kept for reuse.
    for (qsizetype i = m_lastBlockUsed; i < m_lastBlockSize; ++i)
        m_freeSlots.push_back(reinterpret_cast<URLData *>(&m_blocks[m_blocks.size() - 2][size_t(i)]));
    m_lastBlockSize = size;
    m_lastBlockUsed = 0;
}

URLData *URLDatas::Add(QString Name, QString url, int Owner)
{
    if (m_lastKey >= maxKeyNumber)
        return nullptr;
    URLData *entry = newEntry();
    entry->m_key = ++m_lastKey;
    entry->Name = std::move(Name);
    entry->url = std::move(url);
    entry->Owner = Owner;
    m_entries.push_back(entry);
    return entry;
}

qsizetype URLDatas::positionOfKey(quint32 keyNumber) const
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), keyNumber,
                                     [](const URLData *e, quint32 k) { return e->m_key < k; });
    if (it == m_entries.end() || (*it)->m_key != keyNumber)
        return 0;
    return qsizetype(it - m_entries.begin()) + 1;
}

static qsizetype positionOfKeyText(const URLDatas &entries, const QString &key)
{
    bool ok = false;
    const qulonglong number = key.toULongLong(&ok);
    if (!ok || number > URLDatas::maxKeyNumber)
        return 0;
    const qsizetype position = entries.positionOfKey(quint32(number));
    // Keys compare as text: "1" does not name the entry "00001".
    if (position == 0 || entries.Item(position)->ID() != key)
        return 0;
    return position;
}

URLData *URLDatas::Item(const QString &key) const
{
    const qsizetype position = positionOfKeyText(*this, key);
    return position ? Item(position) : nullptr;
}

URLData *URLDatas::Item(qsizetype position) const
{
    if (position < 1 || position > Count())
        return nullptr;
    return m_entries[size_t(position - 1)];
}

bool URLDatas::Delete(const QString &key)
{
    const qsizetype position = positionOfKeyText(*this, key);
    return position && Delete(position);
}

bool URLDatas::Delete(qsizetype position)
{
    if (position < 1 || position > Count())
        return false;
    const auto it = m_entries.begin() + (position - 1);
    destroy(*it);
    m_entries.erase(it);
    resetCounterWhenEmpty();
    return true;
}

void URLDatas::takeBackTo(qsizetype count, quint32 lastKey)
{
    while (Count() > qMax(count, qsizetype(0))) {
        destroy(m_entries.back());
        m_entries.pop_back();
    }
    restoreKeyCounter(lastKey);
}

void URLDatas::restoreKeyCounter(quint32 lastKey)
{
    m_lastKey = m_entries.empty() ? 0 : qMax(lastKey, m_entries.back()->m_key);
}

std::vector<URLData *> URLDatas::insertKeys(const std::vector<quint32> &keyNumbers)
{
    std::vector<URLData *> inserted(keyNumbers.size(), nullptr);
    if (keyNumbers.empty())
        return inserted;
    Storage merged;
    merged.reserve(m_entries.size() + keyNumbers.size());
    auto present = m_entries.cbegin();
    for (size_t i = 0; i < keyNumbers.size(); ++i) {
        const quint32 key = keyNumbers[i];
        for (; present != m_entries.cend() && (*present)->m_key < key; ++present)
            merged.push_back(*present);
        const bool taken = present != m_entries.cend() && (*present)->m_key == key;
        if (taken || key == 0 || key > maxKeyNumber || (!merged.empty() && merged.back()->m_key >= key))
            continue;
        URLData *entry = newEntry();
        entry->m_key = key;
        merged.push_back(entry);
        inserted[i] = entry;
        m_lastKey = qMax(m_lastKey, key);
    }
    merged.insert(merged.end(), present, m_entries.cend());
    m_entries.swap(merged);
    return inserted;
}

void URLDatas::Clear()
{
    for (URLData *entry : m_entries)
        entry->~URLData();
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_freeSlots.clear();
    m_freeSlots.shrink_to_fit();
    m_blocks.clear();
    m_lastBlockSize = 0;
    m_lastBlockUsed = 0;
    m_lastKey = 0;
}

qsizetype URLDatas::removeIf(const std::function<bool(const URLData &)> &predicate)
{
    const auto removed = std::erase_if(m_entries, [&](URLData *e) {
        if (!predicate(*e))
            return false;
        destroy(e);
        return true;
    });
    resetCounterWhenEmpty();
    return qsizetype(removed);
}

qsizetype URLDatas::removeKeys(const std::vector<quint32> &keyNumbers)
{
    std::vector<quint32> sorted = keyNumbers;
    std::sort(sorted.begin(), sorted.end());
    return removeIf([&sorted](const URLData &e) {
        return std::binary_search(sorted.begin(), sorted.end(), e.keyNumber());
    });
}

void URLDatas::resetCounterWhenEmpty()
{
    // Keys are only reused once nothing can still refer to the old ones.
    if (m_entries.empty())
        m_lastKey = 0;
}
