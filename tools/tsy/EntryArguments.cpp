// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryArguments.h"

#include "EntryOperations.h"
#include "GroupTable.h"
#include "URLBlock.h"
#include "URLData.h"
#include "URLDatas.h"

#include <algorithm>
#include <unordered_set>

namespace EntryArguments {

namespace {

bool isDigits(const QString &text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// resolve()'s error for the references that name no entry; false when there are some.
bool noneUnresolved(const std::vector<quint32> &unknownKeys, const QStringList &unknownAddresses, QString *error)
{
    QStringList problems;
    if (!unknownKeys.empty())
        problems << QStringLiteral("no entry has the key%1 %2")
                        .arg(unknownKeys.size() > 1 ? QStringLiteral("s") : QString(), keyList(unknownKeys));
    if (!unknownAddresses.isEmpty())
        problems << QStringLiteral("no entry has the address%1 %2")
                        .arg(unknownAddresses.size() > 1 ? QStringLiteral("es") : QString(),
                             unknownAddresses.join(QStringLiteral(", ")));
    if (problems.isEmpty())
        return true;
    *error = problems.join(QStringLiteral("; "));
    return false;
}

}  // namespace

std::optional<quint32> key(const QString &text)
{
    bool ok = false;
    const qulonglong number = text.toULongLong(&ok);
    if (!isDigits(text) || !ok || number > URLDatas::maxKeyNumber)
        return std::nullopt;
    return quint32(number);
}

std::optional<std::vector<quint32>> keys(const QStringList &texts, QString *bad)
{
    std::vector<quint32> numbers;
    numbers.reserve(size_t(texts.size()));
    for (const QString &text : texts) {
        const std::optional<quint32> number = key(text);
        if (!number) {
            *bad = text;
            return std::nullopt;
        }
        numbers.push_back(*number);
    }
    return numbers;
}

std::optional<std::vector<Reference>> references(const QStringList &texts, QString *bad)
{
    std::vector<Reference> found;
    found.reserve(size_t(texts.size()));
    for (const QString &text : texts) {
        if (text.contains(QLatin1String("://"))) {
            found.push_back({0, text});
            continue;
        }
        const std::optional<quint32> number = key(text);
        if (!number) {
            *bad = text;
            return std::nullopt;
        }
        found.push_back({*number, QString()});
    }
    return found;
}

bool resolve(const URLBlock &store, const std::vector<Reference> &references, std::vector<quint32> *keys,
             QString *error)
{
    std::unordered_set<quint32> named;
    std::vector<quint32> unknownKeys;
    QStringList unknownAddresses;
    const auto add = [&](quint32 number) {
        if (named.insert(number).second)
            keys->push_back(number);
    };
    keys->clear();
    for (const Reference &reference : references) {
        if (reference.address.isEmpty()) {
            if (store.urlDatas().positionOfKey(reference.key) == 0)
                unknownKeys.push_back(reference.key);
            else
                add(reference.key);
            continue;
        }
        bool matched = false;
        for (const URLData &entry : store.urlDatas()) {
            if (entry.url == reference.address) {
                matched = true;
                add(entry.keyNumber());
            }
        }
        if (!matched)
            unknownAddresses << reference.address;
    }
    return noneUnresolved(unknownKeys, unknownAddresses, error);
}

NamedEntries::NamedEntries(const std::vector<Reference> &references)
    : m_references(references)
{
    for (const Reference &reference : references) {
        if (reference.address.isEmpty())
            m_keys.insert(reference.key);
        else
            m_addresses.push_back({reference.address, reference.address.toUtf8()});
    }
}

bool NamedEntries::names(StackFileStream::EntryLine &line)
{
    bool named = m_keys.count(line.key()) > 0;
    for (Address &address : m_addresses) {
        if (line.hasAddress(address.text, address.utf8)) {
            address.matched = true;
            named = true;
        }
    }
    return named;
}

bool NamedEntries::finish(quint32 entryCount, QString *error) const
{
    std::vector<quint32> unknownKeys;
    QStringList unknownAddresses;
    auto address = m_addresses.begin();
    for (const Reference &reference : m_references) {
        if (!reference.address.isEmpty()) {
            if (!(address++)->matched)
                unknownAddresses << reference.address;
        } else if (reference.key == 0 || reference.key > entryCount) {
            unknownKeys.push_back(reference.key);
        }
    }
    return noneUnresolved(unknownKeys, unknownAddresses, error);
}

GroupMatcher::GroupMatcher(const QString &text)
    : m_text(text)
{
    if (isDigits(text)) {
        bool ok = false;
        const int position = text.toInt(&ok);
        m_position = ok ? position : -1;  // past every position: names no group
    }
}

bool GroupMatcher::matches(int position, const QString &name)
{
    const bool named = m_position ? position == *m_position : !m_found && name == m_text;
    if (named)
        m_found = position;
    return named;
}

std::optional<int> rating(const QString &text)
{
    if (text.size() != 1 || !isDigits(text) || text.toInt() > EntryOperations::highestRating)
        return std::nullopt;
    return text.toInt();
}

std::optional<int> group(const GroupTable &groups, const QString &text)
{
    if (isDigits(text)) {
        bool ok = false;
        const int position = text.toInt(&ok);
        return ok && groups.isGroup(position) ? std::optional<int>(position) : std::nullopt;
    }
    return groupNamed(groups, text);
}

QString noGroupError(const QString &text)
{
    return QStringLiteral("no group '%1' (a group's name, or its position from 0)").arg(text);
}

std::optional<int> groupNamed(const GroupTable &groups, const QString &name)
{
    for (int position = 0; position < groups.groupCount(); ++position) {
        if (groups.at(position).name == name)
            return position;
    }
    return std::nullopt;
}

QString keyList(const std::vector<quint32> &keys)
{
    QStringList texts;
    for (const quint32 number : keys)
        texts << URLData::keyText(number);
    return texts.join(QStringLiteral(", "));
}

}  // namespace EntryArguments
