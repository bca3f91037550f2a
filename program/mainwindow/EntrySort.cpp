#include "EntrySort.h"

#include "EntryRowTexts.h"
#include "URLBlock.h"

#include <algorithm>
#include <numeric>

namespace EntrySort {

namespace {

// One row's sort key, made once before the sort: a value, or a text
// compared without regard to case.
struct Row
{
    quint32 key;
    double value;
    const QString *text;
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

const QString *textOf(const URLData &entry, int column)
{
    return column == EntryRowTexts::Title ? &entry.Name : &entry.url;
}

// The rows whose entries exist, with their keys; the others' keys in gone.
std::vector<Row> rowsOf(const std::vector<quint32> &keys, const URLBlock &store, int column,
                        std::vector<quint32> &gone)
{
    const std::vector<double> ranks
        = column == EntryRowTexts::Group ? groupRanks(store.IDXList()) : std::vector<double>();
    const bool byText = column == EntryRowTexts::Title || column == EntryRowTexts::URL;
    std::vector<Row> rows;
    rows.reserve(keys.size());
    for (const quint32 key : keys) {
        const URLData *entry = store.urlDatas().Item(store.urlDatas().positionOfKey(key));
        if (!entry)
            gone.push_back(key);
        else if (byText)
            rows.push_back({key, 0.0, textOf(*entry, column)});
        else
            rows.push_back({key, valueOf(*entry, column, ranks), nullptr});
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
    std::vector<Row> rows = rowsOf(keys, store, column, gone);
    // Value columns put the largest first; text columns (and the group, by
    // its name's rank) the smallest. Reversed turns either round.
    const bool largestFirst = isValueColumn(column) != reversed;
    if (column != EntryRowTexts::Title && column != EntryRowTexts::URL) {
        std::stable_sort(rows.begin(), rows.end(), [largestFirst](const Row &a, const Row &b) {
            return largestFirst ? a.value > b.value : a.value < b.value;
        });
    } else {
        std::stable_sort(rows.begin(), rows.end(), [largestFirst](const Row &a, const Row &b) {
            const int order = QString::compare(*a.text, *b.text, Qt::CaseInsensitive);
            return largestFirst ? order > 0 : order < 0;
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
