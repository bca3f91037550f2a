// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListRowWriter.h"

#include "URLData.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>

namespace {

void blankTabs(char *begin, char *end)
{
    if (std::memchr(begin, '\t', size_t(end - begin)))
        std::replace(begin, end, '\t', ' ');
}

}  // namespace

ListRowWriter::ListRowWriter(const GroupTable &groups)
    : m_rows(groups, &EntryRowTexts::isoDateText)  // dates are written by m_dates, as the same texts
    , m_encoder(QStringEncoder::Utf8)
{
}

void ListRowWriter::append(QByteArray &out, const URLData &entry)
{
    constexpr int textColumns = EntryRowTexts::Visited;
    static_assert(EntryRowTexts::Visited == EntryRowTexts::ColumnCount - 1);
    // Each column before the count shows a date, the entry's own text or a shared one.
    struct Cell
    {
        std::optional<double> dayCount;
        QStringView own;
        const QByteArray *shared = nullptr;
    };
    std::array<Cell, textColumns> cells;
    qsizetype room = 12;  // the visit count and the line end
    for (int column = 0; column < textColumns; ++column) {
        Cell &cell = cells[size_t(column)];
        cell.dayCount = EntryRowTexts::dayCountOf(entry, column);
        if (cell.dayCount) {
            room += IsoDateTexts::textLength + 1;
            continue;
        }
        const QString *stored = m_rows.storedText(entry, column);
        if (stored == &entry.Name || stored == &entry.url) {
            cell.own = *stored;
            room += m_encoder.requiredSpace(cell.own.size()) + 1;
        } else {
            cell.shared = &sharedBytes(stored);
            room += cell.shared->size() + 1;
        }
    }
    const qsizetype start = out.size();
    out.resize(start + room);
    char *p = out.data() + start;
    for (const Cell &cell : cells) {
        if (cell.dayCount) {
            p = m_dates.write(p, *cell.dayCount);
        } else if (cell.shared) {
            std::memcpy(p, cell.shared->constData(), size_t(cell.shared->size()));
            p += cell.shared->size();
        } else {
            p = writeOwnText(p, cell.own);
        }
        *p++ = '\t';
    }
    p = std::to_chars(p, p + 11, entry.Visited).ptr;
    *p++ = '\n';
    out.truncate(p - out.constData());
}

const QByteArray &ListRowWriter::sharedBytes(const QString *text)
{
    auto found = m_shared.find(text);
    if (found == m_shared.end()) {
        // Encoded as the entry's own texts are, so that no text reads differently.
        const QStringView view = text ? QStringView(*text) : QStringView();
        QByteArray bytes(m_encoder.requiredSpace(view.size()), Qt::Uninitialized);
        bytes.truncate(writeOwnText(bytes.data(), view) - bytes.constData());
        found = m_shared.emplace(text, std::move(bytes)).first;
    }
    return found->second;
}

char *ListRowWriter::writeOwnText(char *out, QStringView text)
{
    char *const end = m_encoder.appendToBuffer(out, text);
    m_encoder.resetState();
    blankTabs(out, end);
    return end;
}
