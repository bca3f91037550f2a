// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoredSettings.h"

#include "Config.h"
#include "Registry.h"
#include "SettingsField.h"
#include "TrayConfig.h"
#include "regModule.h"

namespace StoredSettings {

namespace {

// The layout a main window with these settings would save.
SettingsCodec::MainWindowLayout layoutOf(const AppSettings &settings)
{
    SettingsCodec::MainWindowLayout layout;
    layout.top = settings.mainTop;
    layout.left = settings.mainLeft;
    layout.width = settings.mainWidth;
    layout.height = settings.mainHeight;
    layout.currentTab = settings.currentTab;
    layout.advMode = settings.advMode;
    layout.tabPlacement = settings.tP;
    layout.selectedGroup = settings.lastIDX2;
    layout.fullWindow = settings.bFW;
    layout.filterAdvanced = settings.filterAdvanced;
    for (int bit = 0; bit < 31; ++bit)
        layout.slideButtonsOut.append(settings.slideMask & (1 << bit));
    layout.columnWidths = QList<int>(settings.columnWidths.begin(), settings.columnWidths.end());
    return layout;
}

void writeFields(const QString &name, const QList<int> &positions, const QString &composed,
                 bool eachFollowedByBlank)
{
    if (positions.isEmpty())
        return;
    const QString stored = regModule::queryValue(AppSettings::settingsKey, name);
    regModule::createNewKey(AppSettings::settingsKey, Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(AppSettings::settingsKey, name,
                           SettingsField::withFields(stored, composed, positions, eachFollowedByBlank),
                           regModule::REG_SZ);
}

} // namespace

void ChangedFields::add(const SettingsTable::Setting &setting, const QString &text)
{
    QList<int> &fields = setting.storedIn == QLatin1String("ID") ? id
        : setting.storedIn == QLatin1String("CF")                ? cf
                                                                 : ch;
    fields << SettingsTable::fieldsSetBy(setting, text);
}

Snapshot read()
{
    Snapshot snapshot;
    const QString id = regModule::queryValue(AppSettings::settingsKey, QStringLiteral("ID"));
    const QString cf = regModule::queryValue(AppSettings::settingsKey, QStringLiteral("CF"));
    const QString ch = regModule::queryValue(AppSettings::settingsKey, QStringLiteral("CH"));
    snapshot.fields.id = SettingsCodec::parseId(id);
    snapshot.fields.cf = SettingsCodec::parseCf(cf);
    snapshot.fields.ch = SettingsCodec::parseCh(ch);

    TrayConfig::applyId(snapshot.settings, snapshot.fields.id);
    TrayConfig::applyAutoOptions(snapshot.settings, cf);
    Config::applyCf(snapshot.settings, snapshot.fields.cf);
    Config::applyCh(snapshot.settings, ch);
    return snapshot;
}

void write(const AppSettings &settings, const ChangedFields &changed)
{
    writeFields(QStringLiteral("ID"), changed.id, SettingsCodec::composeId(settings), false);
    writeFields(QStringLiteral("CF"), changed.cf, SettingsCodec::composeCf(settings, layoutOf(settings)),
                true);
    const QList<int> widths(settings.columnWidths.begin(), settings.columnWidths.end());
    writeFields(QStringLiteral("CH"), changed.ch, SettingsCodec::composeCh(widths), true);
}

} // namespace StoredSettings
