// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

class URLData;

// Every field of one entry, its key included, held apart from the store: what
// an undo step keeps of an entry it may have to put back or change back. The
// texts share their data with the entry's.
struct EntryRecord
{
    quint32 key = 0;
    QString name;
    QString url;
    int owner = -1;
    double lastVisit = 0.0;
    double created = 0.0;
    qint32 visits = 0;
    quint8 rating = 0;
    quint8 category = 0;

    static EntryRecord of(const URLData &entry);
    // Sets the entry's fields (not its key) to the record's.
    void applyTo(URLData &entry) const;
    // Sets only the fields in which from and to differ to their values in to,
    // so that a field changed since by something else (a visit) is left alone.
    static void applyDifference(const EntryRecord &from, const EntryRecord &to, URLData &entry);
    // The same fields, compared without comparing texts that share their data.
    static bool sameFields(const EntryRecord &record, const URLData &entry);

    bool operator==(const EntryRecord &other) const = default;
};
