// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsField.h"

#include <limits>

namespace SettingsField {

QStringList split(const QString &value)
{
    return value.split(u' ');
}

QString at(const QStringList &fields, int index)
{
    return index < fields.size() ? fields.at(index) : QString();
}

std::optional<int> number(const QString &field, int min, int max)
{
    bool ok = false;
    const qlonglong value = field.toLongLong(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return int(value);
}

std::optional<bool> flag(const QString &field)
{
    if (field.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (field.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value != 0.0;
}

int leadingNumber(const QString &field)
{
    qsizetype end = 0;
    if (end < field.size() && (field[end] == u'-' || field[end] == u'+'))
        ++end;
    while (end < field.size() && field[end] >= u'0' && field[end] <= u'9')
        ++end;
    bool ok = false;
    const qlonglong value = field.left(end).toLongLong(&ok);
    if (!ok)
        return 0;
    return int(qBound(qlonglong(std::numeric_limits<int>::min()), value, qlonglong(std::numeric_limits<int>::max())));
}

QString flagText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString withFields(const QString &value, const QString &composed, const QList<int> &positions,
                   bool eachFollowedByBlank)
{
    QStringList fields = value.isEmpty() ? QStringList() : split(value);
    if (eachFollowedByBlank && !fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();  // the blank after the last field
    const QStringList from = split(composed);
    for (const int position : positions) {
        while (fields.size() <= position)
            fields.append(QString());
        fields[position] = at(from, position);
    }
    const QString text = fields.join(u' ');
    return eachFollowedByBlank ? text + u' ' : text;
}

} // namespace SettingsField
