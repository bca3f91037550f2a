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

Snapshot read();
// Writes "ID", "CF" and "CH" from the settings alone.
void write(const AppSettings &settings);

} // namespace StoredSettings
