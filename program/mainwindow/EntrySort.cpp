#include "EntrySort.h"

#include "EntryRowTexts.h"
#include "URLBlock.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace EntrySort {

namespace {

// One row's sort key, made once before the sort: a value, or a text
// folded to one case, held in a buffer shared by all rows. prefix packs the
// text's first units as bytes, so that most comparisons end there.
struct Row
{
    using Prefix = std::array<quint64, 4>;
    quint32 key;
    double value;
    Prefix prefix;
    qsizetype start;
    qsizetype length;
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

// Appends the text folded as QString::compare with Qt::CaseInsensitive
// folds it, unit by unit: comparing the folded units compares the texts
// without regard to case, in that comparison's order.
void appendFolded(std::vector<char16_t> &folded, const QString &text)
{
    char16_t last = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            folded.push_back(QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(last, unit))));
        else
            folded.push_back(char16_t(QChar::toCaseFolded(char32_t(unit))));
        last = unit;
    }
}

// The first 32 units as bytes, in an order that never contradicts the
// units' order: ASCII units as themselves; from the first other unit on
// every byte is 0xff (the texts then tie unless an earlier byte differs,
// and are compared whole); 0 after the text's end.
Row::Prefix prefixOf(const char16_t *text, qsizetype length)
{
    Row::Prefix prefix {};
    bool beyondAscii = false;
    for (qsizetype i = 0; i < qsizetype(prefix.size() * 8); ++i) {
        beyondAscii = beyondAscii || (i < length && text[i] > 0x7f);
        const quint64 byte = beyondAscii ? 0xff : i < length ? text[i] : 0;
        prefix[size_t(i / 8)] = (prefix[size_t(i / 8)] << 8) | byte;
    }
    return prefix;
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

// The rows whose entries exist, with their keys; the others' keys in gone.
// Text columns fill folded with the rows' texts.
std::vector<Row> rowsOf(const std::vector<quint32> &keys, const URLBlock &store, int column,
                        std::vector<quint32> &gone, std::vector<char16_t> &folded)
{
    const std::vector<double> ranks
        = column == EntryRowTexts::Group ? groupRanks(store.IDXList()) : std::vector<double>();
    const bool byText = column == EntryRowTexts::Title || column == EntryRowTexts::URL;
    std::vector<Row> rows;
    rows.reserve(keys.size());
    const EntryByKey entryOf(store.urlDatas());
    for (const quint32 key : keys) {
        const URLData *entry = entryOf(key);
        if (!entry) {
            gone.push_back(key);
        } else if (byText) {
            const qsizetype start = qsizetype(folded.size());
            appendFolded(folded, column == EntryRowTexts::Title ? entry->Name : entry->url);
            rows.push_back({key, 0.0, {}, start, qsizetype(folded.size()) - start});
        } else {
            rows.push_back({key, valueOf(*entry, column, ranks), {}, 0, 0});
        }
    }
    // The buffer has its final place now.
    for (Row &row : rows) {
        if (byText)
            row.prefix = prefixOf(folded.data() + row.start, row.length);
    }
    return rows;
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
    std::vector<quint32> gone;
    std::vector<char16_t> folded;
    std::vector<Row> rows = rowsOf(keys, store, column, gone, folded);
    // Value columns put the largest first; text columns (and the group, by
    // its name's rank) the smallest. Reversed turns either round.
    const bool largestFirst = isValueColumn(column) != reversed;
    if (column != EntryRowTexts::Title && column != EntryRowTexts::URL) {
        std::stable_sort(rows.begin(), rows.end(), [largestFirst](const Row &a, const Row &b) {
            return largestFirst ? a.value > b.value : a.value < b.value;
        });
    } else {
        const char16_t *texts = folded.data();
        const auto order = [texts](const Row &a, const Row &b) {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix ? -1 : 1;
            return QStringView(texts + a.start, a.length).compare(QStringView(texts + b.start, b.length));
        };
        std::stable_sort(rows.begin(), rows.end(), [&order, largestFirst](const Row &a, const Row &b) {
            return largestFirst ? order(a, b) > 0 : order(a, b) < 0;
        });
    }
    keys.clear();
    for (const Row &row : rows)
        keys.push_back(row.key);
    keys.insert(keys.end(), gone.begin(), gone.end());
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
    default:
        return -1;
    }
}

}  // namespace EntrySort
