// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"
#include "SettingsCodec.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// Every setting by name, with where it is kept and how a text sets it: one
// table for tools that show or change settings by name.
namespace SettingsTable {

// The three values as read, field by field.
struct StoredFields
{
    SettingsCodec::IdFields id;
    SettingsCodec::CfFields cf;
    std::array<std::optional<int>, 9> ch;
};

struct Setting
{
    enum Kind { Flag, Number, Widths };

    QString name;
    QString storedIn;  // "ID", "CF" or "CH"
    int field = 0;     // its position in that value (the first width's, for columnWidths)
    Kind kind = Number;
    bool AppSettings::*flag = nullptr;
    int AppSettings::*number = nullptr;
    int min = 0;
    int max = 0;
    std::function<bool(const StoredFields &)> isStored;
};

const QList<Setting> &settings();
const Setting *find(const QString &name);

// Sets a setting from text: "True"/"False"/numbers for flags, a number within
// the setting's range, or comma-separated widths. False for a text that does
// not fit.
bool setFromText(AppSettings &settings, const Setting &setting, const QString &text);

// The positions of the fields that a text accepted by setFromText sets: the
// setting's field, or one for each width given.
QList<int> fieldsSetBy(const Setting &setting, const QString &text);

} // namespace SettingsTable
