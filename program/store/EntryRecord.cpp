// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryRecord.h"

#include "URLData.h"

EntryRecord EntryRecord::of(const URLData &entry)
{
    return {entry.keyNumber(), entry.Name,    entry.url,     entry.Owner,   entry.LastAccesed,
            entry.Created,     entry.Visited, entry.Rated,   entry.Catagory};
}

void EntryRecord::applyTo(URLData &entry) const
{
    entry.Name = name;
    entry.url = url;
    entry.Owner = owner;
    entry.LastAccesed = lastVisit;
    entry.Created = created;
    entry.Visited = visits;
    entry.Rated = rating;
    entry.Catagory = category;
}

void EntryRecord::applyDifference(const EntryRecord &from, const EntryRecord &to, URLData &entry)
{
    const auto apply = [](const auto &before, const auto &after, auto &field) {
        if (before != after)
            field = after;
    };
    apply(from.name, to.name, entry.Name);
    apply(from.url, to.url, entry.url);
    apply(from.owner, to.owner, entry.Owner);
    apply(from.lastVisit, to.lastVisit, entry.LastAccesed);
    apply(from.created, to.created, entry.Created);
    apply(from.visits, to.visits, entry.Visited);
    apply(from.rating, to.rating, entry.Rated);
    apply(from.category, to.category, entry.Catagory);
}

static bool sameText(const QString &a, const QString &b)
{
    // Texts a command did not touch still share their data: no need to read them.
    return (a.size() == b.size() && a.constData() == b.constData()) || a == b;
}

bool EntryRecord::sameFields(const EntryRecord &record, const URLData &entry)
{
    return record.owner == entry.Owner && record.lastVisit == entry.LastAccesed && record.created == entry.Created
        && record.visits == entry.Visited && record.rating == entry.Rated && record.category == entry.Catagory
        && sameText(record.name, entry.Name) && sameText(record.url, entry.url);
}
