// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntrySort.h"

#include "EntryRowTexts.h"
#include "URLBlock.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <numeric>

namespace EntrySort {

namespace {

// One row of a value column: the entry's key and its value.
struct ValueRow
{
    quint32 key;
    double value;
};

const QString noText;

// The groups' names as ranks: equal names (ignoring case) share one, and
// rank order is name order. The last rank stands for entries of no group.
std::vector<double> groupRanks(const GroupTable &groups)
{
    const int count = groups.groupCount();
    std::vector<int> order(size_t(count) + 1);
    std::iota(order.begin(), order.end(), 0);
    const auto nameOf = [&](int position) { return position < count ? groups.at(position).name : noText; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return QString::compare(nameOf(a), nameOf(b), Qt::CaseInsensitive) < 0;
    });
    std::vector<double> ranks(order.size());
    double rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && QString::compare(nameOf(order[i - 1]), nameOf(order[i]), Qt::CaseInsensitive) != 0)
            ++rank;
        ranks[size_t(order[i])] = rank;
    }
    return ranks;
}

double valueOf(const URLData &entry, int column, const std::vector<double> &ranks)
{
    switch (column) {
    case EntryRowTexts::Rated:
        return entry.Rated;
    case EntryRowTexts::Group:
        return entry.Owner >= 0 && size_t(entry.Owner) < ranks.size() - 1 ? ranks[size_t(entry.Owner)]
                                                                          : ranks.back();
    case EntryRowTexts::LastVisited:
        return entry.LastAccesed;  // 0, never visited, is the smallest
    case EntryRowTexts::Created:
        return entry.Created;
    case EntryRowTexts::Visited:
        return entry.Visited;
    default:
        return 0.0;
    }
}

// Each entry by its key, found in one pass over the store while the keys
// are about as many as the entries; else by the store's key search.
class EntryByKey
{
public:
    explicit EntryByKey(const URLDatas &entries)
        : m_entries(entries)
    {
        const quint32 lastKey = entries.isEmpty() ? 0 : entries.Item(entries.Count())->keyNumber();
        if (lastKey / 4 > quint32(entries.Count()))
            return;
        m_table.resize(size_t(lastKey) + 1);
        for (const URLData &entry : entries)
            m_table[entry.keyNumber()] = &entry;
    }
    const URLData *operator()(quint32 key) const
    {
        if (m_table.empty())
            return m_entries.Item(m_entries.positionOfKey(key));
        return key < m_table.size() ? m_table[key] : nullptr;
    }

private:
    const URLDatas &m_entries;
    std::vector<const URLData *> m_table;
};

// ASCII units folded to one case as QString::compare with
// Qt::CaseInsensitive folds them: capitals to small letters.
constexpr std::array<uchar, 0x80> asciiFolded = [] {
    std::array<uchar, 0x80> table {};
    for (size_t c = 0; c < table.size(); ++c)
        table[c] = uchar(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return table;
}();

// The unit QString::compare with Qt::CaseInsensitive compares in place of a
// unit beyond ASCII: its case folding, where a low surrogate after a high
// one stands for the folded character's low surrogate.
char16_t foldedUnit(char16_t unit, char16_t previous)
{
    if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(previous))
        return QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(previous, unit)));
    return char16_t(QChar::toCaseFolded(char32_t(unit)));
}

// The rows of a text column: each row's entry key and its text, folded
// unit by unit and each folded unit written as UTF-8 writes a character of
// that number (surrogates included). UTF-8 keeps the numbers' order and no
// unit's bytes begin another's, so comparing two rows' bytes compares their
// folded units, which is the case-insensitive comparison; ASCII texts, such
// as addresses, take one byte a unit.
class TextRows
{
public:
    explicit TextRows(size_t count)
    {
        m_keys.reserve(count);
        m_ends.reserve(count);
        m_bytes.reserve(qsizetype(count) * 64);  // about a title's or an address's bytes
    }
    void append(quint32 key, const QString &text)
    {
        m_keys.push_back(key);
        // Room for three bytes a unit, the most a unit takes.
        const qsizetype start = m_bytes.size();
        m_bytes.resize(start + 3 * text.size());
        uchar *const begin = reinterpret_cast<uchar *>(m_bytes.data());
        uchar *out = begin + start;
        const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (units[i] < 0x80)
                *out++ = asciiFolded[units[i]];
            else
                out = appendUnit(out, foldedUnit(units[i], i > 0 ? units[i - 1] : 0));
        }
        m_bytes.resize(out - begin);
        m_ends.push_back(size_t(m_bytes.size()));
    }
    quint32 count() const { return quint32(m_keys.size()); }
    quint32 key(quint32 row) const { return m_keys[row]; }
    const uchar *bytes(quint32 row) const
    {
        return reinterpret_cast<const uchar *>(m_bytes.constData()) + start(row);
    }
    size_t length(quint32 row) const { return m_ends[row] - start(row); }

private:
    size_t start(quint32 row) const { return row == 0 ? 0 : m_ends[row - 1]; }
    static uchar *appendUnit(uchar *out, char16_t unit)
    {
        if (unit < 0x80) {
            *out++ = uchar(unit);
        } else if (unit < 0x800) {
            *out++ = uchar(0xc0 | unit >> 6);
            *out++ = uchar(0x80 | (unit & 0x3f));
        } else {
            *out++ = uchar(0xe0 | unit >> 12);
            *out++ = uchar(0x80 | ((unit >> 6) & 0x3f));
            *out++ = uchar(0x80 | (unit & 0x3f));
        }
        return out;
    }

    std::vector<quint32> m_keys;
    std::vector<size_t> m_ends;
    QByteArray m_bytes;  // resized without filling
};

// Sorts the rows of a text column by their bytes, or the reverse, rows of
// equal texts in row order: a three-way radix quicksort (Bentley and
// Sedgewick's multikey quicksort) taking eight bytes at a time. Each item
// holds its row's bytes at the current depth as one number, so a partition
// compares numbers without reading the texts, and a text's bytes are read
// once per depth its range reaches; texts sharing long beginnings, as
// addresses of one host do, are compared eight bytes a step.
class TextSort
{
public:
    struct Item
    {
        quint64 word;
        quint32 row;
    };

    TextSort(const TextRows &rows, bool reversed)
        : m_rows(rows)
        , m_reversed(reversed)
    { }

    std::vector<Item> sorted() const
    {
        std::vector<Item> items(m_rows.count());
        for (quint32 row = 0; row < m_rows.count(); ++row)
            items[row].row = row;
        Item *const first = items.data();
        if (load(first, first + items.size(), 0))
            sortFrom(first, first + items.size(), 0, 2 * int(std::bit_width(items.size())));
        return items;
    }

private:
    static constexpr size_t wordBytes = sizeof(quint64);
    // Ranges this small are sorted by comparing their texts.
    static constexpr ptrdiff_t smallRange = 8;

    // The row's bytes from depth words on as one number, the first byte the
    // highest; 0 after the text's end. Complemented when reversed, so that
    // a larger number comes first.
    quint64 word(quint32 row, size_t depth) const
    {
        const size_t start = depth * wordBytes, length = m_rows.length(row);
        const uchar *bytes = m_rows.bytes(row);
        quint64 word = 0;
        if (length >= start + wordBytes) {
            word = qFromBigEndian<quint64>(bytes + start);
        } else {
            for (size_t i = start; i < start + wordBytes; ++i)
                word = word << 8 | (i < length ? bytes[i] : 0u);
        }
        return m_reversed ? ~word : word;
    }

    // Loads each item's word at depth; false when every text has ended
    // before it, so that the range's texts are all equal.
    bool load(Item *first, Item *last, size_t depth) const
    {
        bool anyLeft = false;
        for (Item *item = first; item != last; ++item) {
            item->word = word(item->row, depth);
            anyLeft = anyLeft || m_rows.length(item->row) > depth * wordBytes;
        }
        return anyLeft;
    }

    // Texts of which one begins the other (or that differ only in bytes 0,
    // U+0000, after the shorter one's end): the shorter is the smaller; of
    // equal texts the earlier row comes first.
    bool tieBefore(const Item &a, const Item &b) const
    {
        const size_t lengthA = m_rows.length(a.row), lengthB = m_rows.length(b.row);
        if (lengthA != lengthB)
            return (lengthA < lengthB) != m_reversed;
        return a.row < b.row;
    }

    // Whether a's text comes before b's, both equal in their first depth words.
    bool before(const Item &a, const Item &b, size_t depth) const
    {
        const size_t skip = depth * wordBytes;
        const size_t lengthA = m_rows.length(a.row), lengthB = m_rows.length(b.row);
        const size_t restA = lengthA > skip ? lengthA - skip : 0, restB = lengthB > skip ? lengthB - skip : 0;
        const int order
            = std::memcmp(m_rows.bytes(a.row) + skip, m_rows.bytes(b.row) + skip, std::min(restA, restB));
        if (order != 0)
            return (order < 0) != m_reversed;
        return tieBefore(a, b);
    }

    // Sorts the items, whose texts are equal in their first depth words and
    // whose words at depth are loaded. The calls nest at most nesting deep
    // (twice the depth of an even split of all rows): a range reached deeper,
    // after bad pivots, is sorted by comparing its texts instead, so that no
    // input nests the calls past that.
    void sortFrom(Item *first, Item *last, size_t depth, int nesting) const
    {
        while (last - first > 1) {
            if (last - first <= smallRange || nesting == 0) {
                std::sort(first, last,
                          [this, depth](const Item &a, const Item &b) { return before(a, b, depth); });
                return;
            }
            // Three ranges: words below the pivot's, equal to it, above it.
            const quint64 pivot = medianWord(first, last);
            Item *less = first, *item = first, *greater = last;
            while (item != greater) {
                if (item->word < pivot)
                    std::swap(*less++, *item++);
                else if (item->word > pivot)
                    std::swap(*item, *--greater);
                else
                    ++item;
            }
            sortFrom(first, less, depth, nesting - 1);
            sortFrom(greater, last, depth, nesting - 1);
            first = less;
            last = greater;
            ++depth;
            if (!load(first, last, depth)) {
                std::sort(first, last, [this](const Item &a, const Item &b) { return tieBefore(a, b); });
                return;
            }
        }
    }

    static quint64 medianWord(const Item *first, const Item *last)
    {
        const quint64 a = first->word, b = first[(last - first) / 2].word, c = last[-1].word;
        return std::max(std::min(a, b), std::min(std::max(a, b), c));
    }

    const TextRows &m_rows;
    const bool m_reversed;
};

std::vector<quint32> textSorted(const std::vector<quint32> &keys, const URLBlock &store, int column,
                                bool reversed)
{
    TextRows rows(keys.size());
    std::vector<quint32> gone;
    const EntryByKey entryOf(store.urlDatas());
    for (const quint32 key : keys) {
        if (const URLData *entry = entryOf(key))
            rows.append(key, column == EntryRowTexts::Title ? entry->Name : entry->url);
        else
            gone.push_back(key);
    }
    std::vector<quint32> sorted;
    sorted.reserve(keys.size());
    for (const TextSort::Item &item : TextSort(rows, reversed).sorted())
        sorted.push_back(rows.key(item.row));
    sorted.insert(sorted.end(), gone.begin(), gone.end());
    return sorted;
}

// Value columns put the largest first; the group, by its name's rank, the
// smallest. Reversed turns either round.
std::vector<quint32> valueSorted(const std::vector<quint32> &keys, const URLBlock &store, int column,
                                 bool reversed)
{
    const std::vector<double> ranks
        = column == EntryRowTexts::Group ? groupRanks(store.IDXList()) : std::vector<double>();
    std::vector<ValueRow> rows;
    rows.reserve(keys.size());
    std::vector<quint32> gone;
    const EntryByKey entryOf(store.urlDatas());
    for (const quint32 key : keys) {
        if (const URLData *entry = entryOf(key))
            rows.push_back({key, valueOf(*entry, column, ranks)});
        else
            gone.push_back(key);
    }
    const bool largestFirst = isValueColumn(column) != reversed;
    std::stable_sort(rows.begin(), rows.end(), [largestFirst](const ValueRow &a, const ValueRow &b) {
        return largestFirst ? a.value > b.value : a.value < b.value;
    });
    std::vector<quint32> sorted;
    sorted.reserve(keys.size());
    for (const ValueRow &row : rows)
        sorted.push_back(row.key);
    sorted.insert(sorted.end(), gone.begin(), gone.end());
    return sorted;
}

}  // namespace

bool isValueColumn(int column)
{
    return column == EntryRowTexts::Rated || column == EntryRowTexts::LastVisited
        || column == EntryRowTexts::Created || column == EntryRowTexts::Visited;
}

void sort(std::vector<quint32> &keys, const URLBlock &store, int column, bool reversed)
{
    if (column < 0 || column >= EntryRowTexts::ColumnCount)
        return;
    if (column == EntryRowTexts::Title || column == EntryRowTexts::URL)
        keys = textSorted(keys, store, column, reversed);
    else
        keys = valueSorted(keys, store, column, reversed);
}

int columnOfSortItem(int item)
{
    switch (item) {
    case 0:
        return EntryRowTexts::Title;
    case 1:
        return EntryRowTexts::Rated;
    case 2:
        return EntryRowTexts::Visited;
    case 3:
        return EntryRowTexts::LastVisited;
    case 5:
        return EntryRowTexts::URL;
    case 6:
        return EntryRowTexts::Created;
    case 7:
        return EntryRowTexts::Group;
    default:
        return -1;
    }
}

}  // namespace EntrySort
