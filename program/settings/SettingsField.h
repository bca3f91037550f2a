// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Reading the fields of a settings value: the value is split at every blank,
// fields are addressed by position, and an empty or missing field, or one
// that does not convert, holds nothing.
namespace SettingsField {

QStringList split(const QString &value);
QString at(const QStringList &fields, int index);

// A whole number within [min, max].
std::optional<int> number(const QString &field, int min, int max);
// "True" or "False" (any case), or a number: 0 is false, anything else true.
std::optional<bool> flag(const QString &field);
// The number the field begins with ("2x" is 2); 0 when it begins with none.
int leadingNumber(const QString &field);

QString flagText(bool value);

// value with the fields at positions taken from composed (a value of the same
// layout); every other field keeps its text, and one past value's end stays
// empty. eachFollowedByBlank: the layout ends each field with a blank, as
// "CF" and "CH" do, rather than joining them with one.
QString withFields(const QString &value, const QString &composed, const QList<int> &positions,
                   bool eachFollowedByBlank);

} // namespace SettingsField
