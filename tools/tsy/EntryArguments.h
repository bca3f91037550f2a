// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StackFileStream.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <unordered_set>
#include <vector>

class GroupTable;
class URLBlock;

// The entry commands' arguments: keys, ratings and groups as typed.
namespace EntryArguments {

// A key as the five-digit form ("00012") or a plain number ("12").
std::optional<quint32> key(const QString &text);

// Every text a key, or the first that is not one in bad.
std::optional<std::vector<quint32>> keys(const QStringList &texts, QString *bad);

// A KEY argument: a key, or an address (a text that holds "://"), which names
// every entry with exactly that address. Keys change when a file is saved in
// another order; an address is a name scripts can keep.
struct Reference
{
    quint32 key = 0;
    QString address;  // empty for a key
};

// Every text a reference, or the first that is neither a key nor an address in bad.
std::optional<std::vector<Reference>> references(const QStringList &texts, QString *bad);

// The keys the references name in the store: in the order given, an
// address's entries in the store's order, each entry once. False, with an
// error naming them, when a key names no entry or an address none.
bool resolve(const URLBlock &store, const std::vector<Reference> &references, std::vector<quint32> *keys,
             QString *error);

// What resolve() finds, found while a file is read line by line: which
// entries the references name, and at the end whether each named one.
class NamedEntries
{
public:
    explicit NamedEntries(const std::vector<Reference> &references);

    // Whether the references name this entry (each is told once, in the file's order).
    bool names(StackFileStream::EntryLine &line);
    // After the file's entryCount entries: false with resolve()'s error
    // when a reference names no entry.
    bool finish(quint32 entryCount, QString *error) const;

private:
    struct Address
    {
        QString text;
        QByteArray utf8;
        bool matched = false;
    };
    const std::vector<Reference> &m_references;
    std::unordered_set<quint32> m_keys;
    std::vector<Address> m_addresses;
};

// A GROUP argument (see group()) matched against a file's group lines as
// they are read.
class GroupMatcher
{
public:
    explicit GroupMatcher(const QString &text);

    // Told each group line in order: true for the one group the text names.
    bool matches(int position, const QString &name);
    std::optional<int> found() const { return m_found; }
    const QString &text() const { return m_text; }

private:
    QString m_text;
    std::optional<int> m_position;  // set when the text is a position
    std::optional<int> m_found;
};

// A rating from 0 (Not Rated) to 4 (V.High).
std::optional<int> rating(const QString &text);

// A group by its position (digits only) or else the first group of that
// name; nothing when the store has no such group.
std::optional<int> group(const GroupTable &groups, const QString &text);
// The error of a text that names no group.
QString noGroupError(const QString &text);
// The first group of exactly that name.
std::optional<int> groupNamed(const GroupTable &groups, const QString &name);

// The keys in the five-digit form, separated by commas.
QString keyList(const std::vector<quint32> &keys);

}  // namespace EntryArguments
