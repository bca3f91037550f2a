// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "EntryRowTexts.h"
#include "IsoDateTexts.h"

#include <QByteArray>
#include <QStringEncoder>
#include <unordered_map>

class GroupTable;
class URLData;

// The rows of tsy list: an entry's column texts separated by tabs, in UTF-8.
// A tab inside a text would shift the columns: it is written as a blank.
// Dates and the visit count, which have no tabs, are written as ASCII
// directly. A text that is not the entry's own (a rating's or a group's
// name, "Never") is shown by many rows, so it is encoded once.
class ListRowWriter
{
public:
    // The rows of entries whose groups are in groups.
    explicit ListRowWriter(const GroupTable &groups);

    // Appends the entry's row and its line end to out.
    void append(QByteArray &out, const URLData &entry);

private:
    const QByteArray &sharedBytes(const QString *text);
    char *writeOwnText(char *out, QStringView text);

    const EntryRowTexts m_rows;
    IsoDateTexts m_dates;
    QStringEncoder m_encoder;
    // Node-based, so that the bytes of one row's texts stay where they are
    // while another text of the row is added.
    std::unordered_map<const QString *, QByteArray> m_shared;
};
