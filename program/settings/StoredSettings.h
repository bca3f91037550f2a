// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"
#include "SettingsTable.h"

// The settings as stored for the current user, read and written without the
// windows, by the same rules the windows use (tsy).
namespace StoredSettings {

struct Snapshot
{
    AppSettings settings;
    SettingsTable::StoredFields fields;
};

// The fields of "ID", "CF" and "CH" that changed settings are kept in.
struct ChangedFields
{
    QList<int> id;
    QList<int> cf;
    QList<int> ch;

    // Adds the fields that text sets (see SettingsTable::fieldsSetBy).
    void add(const SettingsTable::Setting &setting, const QString &text);
};

Snapshot read();
// Writes the changed fields from settings into the stored values and nothing
// else: every other field keeps its stored text, or stays empty where nothing
// is stored (so it still means "not stored": a column that fits its text, the
// window docked). A value with no changed field is not written.
void write(const AppSettings &settings, const ChangedFields &changed);

} // namespace StoredSettings
