#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <vector>

class GroupTable;

// The entry commands' arguments: keys, ratings and groups as typed.
namespace EntryArguments {

// A key as the five-digit form ("00012") or a plain number ("12").
std::optional<quint32> key(const QString &text);

// Every text a key, or the first that is not one in bad.
std::optional<std::vector<quint32>> keys(const QStringList &texts, QString *bad);

// A rating from 0 (Not Rated) to 4 (V.High).
std::optional<int> rating(const QString &text);

// A group by its position (digits only) or else the first group of that
// name; nothing when the store has no such group.
std::optional<int> group(const GroupTable &groups, const QString &text);

// The keys in the five-digit form, separated by commas.
QString keyList(const std::vector<quint32> &keys);

}  // namespace EntryArguments
