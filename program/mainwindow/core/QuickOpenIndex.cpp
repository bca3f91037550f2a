// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QuickOpenIndex.h"

#include "FrecencyScore.h"
#include "TextFold.h"
#include "URLDatas.h"

#include <algorithm>
#include <cstring>

namespace {

struct Folded
{
    double score;
    quint32 key;
    qsizetype start;     // in the buffer folded in store order
    qsizetype titleEnd;  // where the title's '\0' is
    qsizetype end;       // after the address's '\0'
};

// Where needle first is in [from, to) of text, or nullptr. Words are never
// empty; no word holds a '\0', so none reaches past an entry's texts.
const char *find(const char *from, const char *to, const QByteArray &needle)
{
    return static_cast<const char *>(memmem(from, size_t(to - from), needle.constData(), size_t(needle.size())));
}

}  // namespace

void QuickOpenIndex::build(const URLDatas &entries, double now)
{
    std::vector<Folded> items;
    items.reserve(size_t(entries.Count()));
    QByteArray text;
    for (const URLData &entry : entries) {
        Folded item {FrecencyScore::score(entry, now), entry.keyNumber(), text.size(), 0, 0};
        TextFold::appendFoldedUtf8(QStringView(entry.Name).left(maxFieldLength), text);
        item.titleEnd = text.size();
        text += '\0';
        TextFold::appendFoldedUtf8(QStringView(entry.url).left(maxFieldLength), text);
        text += '\0';
        item.end = text.size();
        items.push_back(item);
    }
    const QByteArrayView all(text);
    std::sort(items.begin(), items.end(), [all](const Folded &a, const Folded &b) {
        if (a.score != b.score)
            return a.score > b.score;
        const int titles = all.sliced(a.start, a.titleEnd - a.start).compare(all.sliced(b.start, b.titleEnd - b.start));
        return titles != 0 ? titles < 0 : a.key < b.key;
    });

    m_text.clear();
    m_text.reserve(text.size());
    m_starts.clear();
    m_starts.reserve(items.size() + 1);
    m_keys.clear();
    m_keys.reserve(items.size());
    for (const Folded &item : items) {
        m_starts.push_back(m_text.size());
        m_text.append(all.sliced(item.start, item.end - item.start));
        m_keys.push_back(item.key);
    }
    m_starts.push_back(m_text.size());
    m_hasLast = false;
    m_lastWords.clear();
    m_lastMatches.clear();
}

QuickOpenIndex::Matches QuickOpenIndex::search(QStringView query, size_t limit)
{
    QByteArrayList words;
    for (const QString &word : TextFold::words(query.left(maxQueryLength)))
        words.append(word.toUtf8());
    std::vector<int> matches;
    if (m_hasLast && narrows(words)) {
        for (const int rank : m_lastMatches) {
            if (holdsAll(rank, words))
                matches.push_back(rank);
        }
    } else if (words.isEmpty()) {
        matches.resize(m_keys.size());
        for (size_t rank = 0; rank < matches.size(); ++rank)
            matches[rank] = int(rank);
    } else {
        // The longest word finds the fewest entries; the others are checked on those.
        const QByteArray &longest = *std::max_element(
            words.begin(), words.end(), [](const QByteArray &a, const QByteArray &b) { return a.size() < b.size(); });
        for (const int rank : scanAll(longest)) {
            if (words.size() == 1 || holdsAll(rank, words))
                matches.push_back(rank);
        }
    }

    Matches result;
    result.total = qsizetype(matches.size());
    const size_t shown = std::min(limit, matches.size());
    result.keys.reserve(shown);
    for (size_t i = 0; i < shown; ++i)
        result.keys.push_back(m_keys[size_t(matches[i])]);
    m_hasLast = true;
    m_lastWords = words;
    m_lastMatches = std::move(matches);
    return result;
}

std::vector<int> QuickOpenIndex::scanAll(const QByteArray &word) const
{
    std::vector<int> found;
    const char *const begin = m_text.constData();
    const char *const end = begin + m_text.size();
    auto entry = m_starts.begin();
    for (const char *at = find(begin, end, word); at;) {
        // The entry whose texts hold the match; the next search starts after them.
        entry = std::upper_bound(entry, m_starts.end(), at - begin) - 1;
        found.push_back(int(entry - m_starts.begin()));
        ++entry;
        at = find(begin + *entry, end, word);
    }
    return found;
}

bool QuickOpenIndex::holdsAll(int rank, const QByteArrayList &words) const
{
    const char *const from = m_text.constData() + m_starts[size_t(rank)];
    const char *const to = m_text.constData() + m_starts[size_t(rank) + 1];
    return std::all_of(words.begin(), words.end(), [from, to](const QByteArray &word) { return find(from, to, word); });
}

bool QuickOpenIndex::narrows(const QByteArrayList &words) const
{
    // Each earlier word inside a new one: every new match matched before.
    return std::all_of(m_lastWords.begin(), m_lastWords.end(), [&words](const QByteArray &before) {
        return std::any_of(words.begin(), words.end(), [&before](const QByteArray &word) { return word.contains(before); });
    });
}
