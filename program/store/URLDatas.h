// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "URLData.h"

#include <QString>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

// The collection of all entries, in insertion order, keyed by ID.
//
// Keys are handed out from a counter that only goes up while the collection
// holds entries, so insertion order is also ascending key order: a key lookup
// is a binary search, a position lookup an index.
//
// The entries themselves live in blocks of many entries each (one allocation
// per block rather than per entry); an entry keeps its address until it is
// removed, and a removed entry's place is reused by later ones.
class URLDatas
{
    using Storage = std::vector<URLData *>;

public:
    // Iterates the entries (as references) in insertion order.
    template<typename Entry, typename Base> class Iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = URLData;
        using difference_type = std::ptrdiff_t;
        using pointer = Entry *;
        using reference = Entry &;

        Iterator() = default;
        explicit Iterator(Base it)
            : m_it(it)
        { }
        reference operator*() const { return **m_it; }
        pointer operator->() const { return *m_it; }
        Iterator &operator++()
        {
            ++m_it;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++m_it;
            return old;
        }
        bool operator==(const Iterator &other) const = default;

    private:
        Base m_it {};
    };
    using iterator = Iterator<URLData, Storage::iterator>;
    using const_iterator = Iterator<const URLData, Storage::const_iterator>;

    URLDatas() = default;
    ~URLDatas();
    URLDatas(const URLDatas &) = delete;
    URLDatas &operator=(const URLDatas &) = delete;

    // Creates an entry with the next key. Returns nullptr (and adds nothing)
    // when the key counter is exhausted.
    URLData *Add(QString Name, QString url, int Owner);

    // By key text; nullptr when no entry has that key.
    URLData *Item(const QString &key) const;
    // By 1-based position; nullptr outside 1..Count().
    URLData *Item(qsizetype position) const;

    qsizetype Count() const { return qsizetype(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }

    // Remove one entry; false (and nothing removed) for an unknown key or position.
    bool Delete(const QString &key);
    bool Delete(qsizetype position);
    void Clear();

    // Removes the entries with these key numbers, in one pass (the remove
    // command on many selected rows). Returns how many were removed.
    qsizetype removeKeys(const std::vector<quint32> &keyNumbers);

    // Removes every entry for which the predicate holds, in one pass.
    // Returns how many were removed.
    qsizetype removeIf(const std::function<bool(const URLData &)> &predicate);

    // The key the last Add handed out (0 after Clear).
    quint32 lastKeyNumber() const { return m_lastKey; }
    // Removes the entries after the first count (those added since there
    // were count) and puts the key counter back to lastKey, which it held
    // then: what was added since is gone, keys and all.
    void takeBackTo(qsizetype count, quint32 lastKey);

    // New entries under these key numbers (ascending), each in the place its
    // key gives it among the others, in one pass: a removed entry put back.
    // Returns them in the order of the keys; nullptr for a key already there
    // or above maxKeyNumber. The key counter rises to the largest key.
    std::vector<URLData *> insertKeys(const std::vector<quint32> &keyNumbers);
    // Puts the key counter back to what it held at an earlier moment, never
    // below the last entry's key (0 when there are no entries).
    void restoreKeyCounter(quint32 lastKey);

    // 1-based position of the entry with the given key number, 0 when absent.
    qsizetype positionOfKey(quint32 keyNumber) const;

    iterator begin() { return iterator(m_entries.begin()); }
    iterator end() { return iterator(m_entries.end()); }
    const_iterator begin() const { return const_iterator(m_entries.cbegin()); }
    const_iterator end() const { return const_iterator(m_entries.cend()); }

    // Room for count entries in all, so that adding up to that many
    // allocates nothing more than their texts.
    void reserve(qsizetype count);
    // Exchanges the entries, keys and blocks of the two collections; no entry moves.
    void swap(URLDatas &other) noexcept;

    static constexpr quint32 maxKeyNumber = 0x7fffffff;

private:
    // Raw room for one entry in a block.
    struct Slot
    {
        alignas(URLData) unsigned char bytes[sizeof(URLData)];
    };
    static constexpr qsizetype blockSize = 4096;

    URLData *newEntry();
    void destroy(URLData *entry);
    void resetCounterWhenEmpty();

    Storage m_entries;
    quint32 m_lastKey = 0;
    std::vector<std::unique_ptr<Slot[]>> m_blocks;
    qsizetype m_lastBlockSize = 0;  // slots in the last block
    qsizetype m_lastBlockUsed = 0;  // of them ever handed out
    std::vector<URLData *> m_freeSlots;
};
