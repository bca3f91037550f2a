// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayConfig.h"

#include "Registry.h"
#include "SettingsField.h"
#include "TrayWindowSettingsHost.h"
#include "regModule.h"

#include <climits>

namespace {

const QString idName = QStringLiteral("ID");
const QString cfName = QStringLiteral("CF");

} // namespace

TrayConfig::TrayConfig(AppSettings &settings)
    : m_settings(settings)
{
}

void TrayConfig::applyId(AppSettings &settings, const SettingsCodec::IdFields &id)
{
    // First start: the tray icon is shown, so the program can be reached.
    if (id.nothingStored)
        settings.dTI = false;
    settings.mT = id.mT;
    settings.trayTop = id.trayTop.value_or(settings.trayTop);
    settings.trayLeft = id.trayLeft.value_or(settings.trayLeft);
    settings.iAOT = id.iAOT.value_or(settings.iAOT);
    if (id.fieldCount <= 1)
        settings.iAOT = true;
    settings.oC = id.oC.value_or(settings.oC);
    settings.dTI = id.dTI.value_or(settings.dTI);
    settings.hAI = id.hAI.value_or(settings.hAI);
    if (id.activeIconShown.value_or(false) && !settings.hAI)
        settings.aI = true;
}

void TrayConfig::applyAutoOptions(AppSettings &settings, const QString &cf)
{
    const int word = SettingsField::number(SettingsField::at(SettingsField::split(cf), 0), 0, INT_MAX).value_or(0);
    SettingsCodec::applyAutoOptions(settings, word);
}

void TrayConfig::earlyConfig(TrayWindowSettingsHost &tray)
{
    const SettingsCodec::IdFields id = SettingsCodec::parseId(regModule::queryValue(AppSettings::settingsKey, idName));
    applyId(m_settings, id);

    const WindowRect trayRect = tray.trayGeometry();
    tray.moveTrayWindow(tray.screenHeight() / 2, tray.screenWidth() - trayRect.width - defaultRightMargin);
    if (m_settings.trayTop > 0 && m_settings.trayTop < tray.screenHeight() && m_settings.trayLeft > 0
        && m_settings.trayLeft < tray.screenWidth())
        tray.moveTrayWindow(m_settings.trayTop, m_settings.trayLeft);

    tray.setTrayIcon(m_settings.dTI);
    // The floating button was shown at the last exit; with hAI it waits for a connection.
    if (id.activeIconShown.value_or(false) && !m_settings.hAI)
        tray.showActiveIcon();

    applyAutoOptions(m_settings, regModule::queryValue(AppSettings::settingsKey, cfName));
}

void TrayConfig::writeId(const AppSettings &settings)
{
    regModule::createNewKey(AppSettings::settingsKey, Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(AppSettings::settingsKey, idName, SettingsCodec::composeId(settings), regModule::REG_SZ);
}

void TrayConfig::lateSave(const TrayWindowSettingsHost &tray)
{
    const WindowRect rect = tray.trayGeometry();
    m_settings.trayLeft = rect.left;
    m_settings.trayTop = rect.top;
    writeId(m_settings);
}
