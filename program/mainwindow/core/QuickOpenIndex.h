// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstddef>
#include <limits>
#include <vector>

class URLDatas;

// The search of quick open over every entry: the words of a search text, in
// any order, each held by an entry's title or address, compared folded (see
// TextFold). The matches come best first: highest FrecencyScore, then by
// folded title, then by key.
//
// build() folds every title and address once into one buffer of UTF-8, in
// that rank order, so a search is a scan of the buffer (memmem) and its first
// matches are the best ones. A search whose words each hold a word of the one before (the
// user typed on) looks only at the entries that matched before.
class QuickOpenIndex
{
public:
    // A longer search text is cut to this many characters.
    static constexpr qsizetype maxQueryLength = 256;
    // Of a longer title or address only this many characters are searched.
    static constexpr qsizetype maxFieldLength = 2048;
    static constexpr size_t unlimited = std::numeric_limits<size_t>::max();

    struct Matches
    {
        std::vector<quint32> keys;  // the best matches' keys, best first
        qsizetype total = 0;        // how many entries matched in all
    };

    // Indexes the entries with their scores at the present moment now (a day count).
    void build(const URLDatas &entries, double now);
    // The entries that match query (all of them for a text without words),
    // at most limit of them. An entry removed from the store since build()
    // is still found: look its key up.
    Matches search(QStringView query, size_t limit = unlimited);
    // Every key, best first.
    const std::vector<quint32> &rankedKeys() const { return m_keys; }
    qsizetype size() const { return qsizetype(m_keys.size()); }
    // True when a search text is longer than what is searched.
    static bool isCut(QStringView query) { return query.size() > maxQueryLength; }

private:
    // The entries (by rank) whose texts hold word, found in one pass over the buffer.
    std::vector<int> scanAll(const QByteArray &word) const;
    bool holdsAll(int rank, const QByteArrayList &words) const;
    bool narrows(const QByteArrayList &words) const;

    QByteArray m_text;               // per entry: title, '\0', address, '\0'
    std::vector<qsizetype> m_starts; // where each entry's texts start; one more at the end
    std::vector<quint32> m_keys;
    bool m_hasLast = false;
    QByteArrayList m_lastWords;
    std::vector<int> m_lastMatches;
};
