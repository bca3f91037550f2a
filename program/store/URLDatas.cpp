#include "URLDatas.h"

#include <algorithm>

URLData *URLDatas::Add(const QString &Name, const QString &url, int Owner)
{
    if (m_lastKey >= maxKeyNumber)
        return nullptr;
    auto entry = std::make_unique<URLData>();
    entry->m_key = ++m_lastKey;
    entry->Name = Name;
    entry->url = url;
    entry->Owner = Owner;
    m_entries.push_back(std::move(entry));
    return m_entries.back().get();
}

qsizetype URLDatas::positionOfKey(quint32 keyNumber) const
{
    const auto it
        = std::lower_bound(m_entries.begin(), m_entries.end(), keyNumber,
                           [](const std::unique_ptr<URLData> &e, quint32 k) { return e->m_key < k; });
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
    return m_entries[size_t(position - 1)].get();
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
    m_entries.erase(m_entries.begin() + (position - 1));
    resetCounterWhenEmpty();
    return true;
}

void URLDatas::Clear()
{
    m_entries.clear();
    m_lastKey = 0;
}

qsizetype URLDatas::removeIf(const std::function<bool(const URLData &)> &predicate)
{
    const auto removed
        = std::erase_if(m_entries, [&](const std::unique_ptr<URLData> &e) { return predicate(*e); });
    resetCounterWhenEmpty();
    return qsizetype(removed);
}

qsizetype URLDatas::removeKeys(const std::vector<quint32> &keyNumbers)
{
    std::vector<quint32> sorted = keyNumbers;
    std::sort(sorted.begin(), sorted.end());
    return removeIf(
        [&sorted](const URLData &e) { return std::binary_search(sorted.begin(), sorted.end(), e.keyNumber()); });
}

void URLDatas::resetCounterWhenEmpty()
{
    // Keys are only reused once nothing can still refer to the old ones.
    if (m_entries.empty())
        m_lastKey = 0;
}
