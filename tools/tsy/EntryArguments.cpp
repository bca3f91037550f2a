#include "EntryArguments.h"

#include "EntryOperations.h"
#include "GroupTable.h"
#include "URLData.h"
#include "URLDatas.h"

#include <algorithm>

namespace EntryArguments {

namespace {

bool isDigits(const QString &text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
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
    for (int position = 0; position < groups.groupCount(); ++position) {
        if (groups.at(position).name == text)
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
