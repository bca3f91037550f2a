// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Config.h"

#include "MainWindowSettingsHost.h"
#include "regModule.h"
#include "Registry.h"

namespace {

const QString cfName = QStringLiteral("CF");
const QString chName = QStringLiteral("CH");

} // namespace

Config::Config(AppSettings &settings)
    : m_settings(settings)
{
}

WindowRect Config::workAreaOf(const MainWindowSettingsHost &window)
{
    return window.workArea().value_or(WindowRect {0, 0, window.screenWidth(), window.screenHeight()});
}

WindowRect Config::keptOnArea(WindowRect rect, const WindowRect &area, const FrameMargins &frame)
{
    const qint64 outerWidth = qint64(rect.width) + frame.left + frame.right;
    const qint64 outerHeight = qint64(rect.height) + frame.top + frame.bottom;
    if (rect.left + outerWidth > qint64(area.left) + area.width)
        rect.left = int(qint64(area.left) + area.width - outerWidth);
    if (rect.top + outerHeight > qint64(area.top) + area.height)
        rect.top = int(qint64(area.top) + area.height - outerHeight);
    // The title bar and the left edge stay reachable before all else.
    if (rect.left < area.left)
        rect.left = area.left;
    if (rect.top < area.top)
        rect.top = area.top;
    return rect;
}

WindowRect Config::clampedToScreen(WindowRect rect, const MainWindowSettingsHost &window)
{
    if (rect.height < minimumHeight)
        rect.height = defaultHeight;
    if (rect.width < minimumWidth)
        rect.width = defaultWidth;
    // The window cannot be made smaller than its layout allows: it is placed
    // by the size it will have.
    rect.width = qMax(rect.width, window.minimumWidth());
    rect.height = qMax(rect.height, window.minimumHeight());
    return keptOnArea(rect, workAreaOf(window), window.frameMargins());
}

void Config::saveConfig(MainWindowSettingsHost &window)
{
    const SettingsCodec::MainWindowLayout layout = window.layout();
    for (qsizetype i = 0; i < layout.columnWidths.size() && i < qsizetype(m_settings.columnWidths.size()); ++i)
        m_settings.columnWidths[size_t(i)] = layout.columnWidths[i];
    m_settings.mainTop = layout.top;
    m_settings.mainLeft = layout.left;
    m_settings.mainWidth = layout.width;
    m_settings.mainHeight = layout.height;
    m_settings.currentTab = layout.currentTab;
    m_settings.advMode = layout.advMode;
    m_settings.tP = layout.tabPlacement;
    m_settings.bFW = layout.fullWindow;
    m_settings.filterAdvanced = layout.filterAdvanced;
    m_settings.slideMask = SettingsCodec::slideMask(layout.slideButtonsOut);
    m_settings.lastIDX2 = layout.selectedGroup;
    writeConfig(m_settings, layout);
}

void Config::writeConfig(const AppSettings &settings, const SettingsCodec::MainWindowLayout &layout)
{
    regModule::createNewKey(AppSettings::settingsKey, Registry::HKEY_CURRENT_USER);
    regModule::setKeyValue(AppSettings::settingsKey, cfName, SettingsCodec::composeCf(settings, layout),
                           regModule::REG_SZ);
    regModule::setKeyValue(AppSettings::settingsKey, chName, SettingsCodec::composeCh(layout.columnWidths),
                           regModule::REG_SZ);
}

void Config::applyCf(AppSettings &settings, const SettingsCodec::CfFields &cf)
{
    settings.advMode = cf.advMode.value_or(1);
    settings.mainTop = cf.mainTop.value_or(settings.mainTop);
    settings.mainLeft = cf.mainLeft.value_or(settings.mainLeft);
    settings.mainWidth = cf.mainWidth.value_or(settings.mainWidth);
    settings.mainHeight = cf.mainHeight.value_or(settings.mainHeight);
    settings.cAF = cf.cAF.value_or(settings.cAF);
    settings.tP = cf.tP.value_or(settings.tP);
    settings.currentTab = cf.currentTab.value_or(settings.currentTab);
    settings.pB = cf.pB.value_or(settings.pB);
    settings.lastIDX2 = cf.selectedGroup.value_or(settings.lastIDX2);
    if (cf.flagWord) {
        settings.mAOT = *cf.flagWord & SettingsCodec::MainAlwaysOnTop;
        settings.uSK = *cf.flagWord & SettingsCodec::UseKeystrokes;
        settings.bFW = *cf.flagWord & SettingsCodec::FullWindow;
        settings.filterAdvanced = *cf.flagWord & SettingsCodec::FilterPanelExpanded;
    }
    settings.slideMask = cf.slideMask.value_or(settings.slideMask);
}

void Config::applyCh(AppSettings &settings, const QString &ch)
{
    const auto widths = SettingsCodec::parseCh(ch);
    for (size_t i = 0; i < widths.size(); ++i)
        settings.columnWidths[i] = widths[i].value_or(settings.columnWidths[i]);
}

void Config::loadConfig(MainWindowSettingsHost &window)
{
    const SettingsCodec::CfFields cf = SettingsCodec::parseCf(regModule::queryValue(AppSettings::settingsKey, cfName));
    applyCf(m_settings, cf);

    window.setAdvMode(m_settings.advMode);

    WindowRect rect = window.geometry();
    rect.top = cf.mainTop.value_or(rect.top);
    rect.left = cf.mainLeft.value_or(rect.left);
    rect.width = cf.mainWidth.value_or(rect.width);
    rect.height = cf.mainHeight.value_or(rect.height);
    rect = clampedToScreen(rect, window);
    window.setGeometry(rect);
    m_settings.mainTop = rect.top;
    m_settings.mainLeft = rect.left;
    m_settings.mainWidth = rect.width;
    m_settings.mainHeight = rect.height;

    if (cf.tP)
        window.setTabPlacement(*cf.tP);
    if (cf.currentTab)
        window.selectTab(*cf.currentTab);

    const auto widths = SettingsCodec::parseCh(regModule::queryValue(AppSettings::settingsKey, chName));
    for (int column = 0; column < window.columnCount() && column < int(widths.size()); ++column) {
        if (const auto width = widths[size_t(column)]) {
            m_settings.columnWidths[size_t(column)] = *width;
            window.setColumnWidth(column, *width);
        }
    }

    window.fullScrnRefresh();
    if (cf.selectedGroup)
        window.selectGroupItem(*cf.selectedGroup);
    if (cf.flagWord) {
        window.setTopmost(m_settings.mAOT);
        window.setFilterAdvanced(m_settings.filterAdvanced);
    }
    window.finishLoadConfig(m_settings.slideMask);
}

void Config::dockMainWindow(MainWindowSettingsHost &window)
{
    WindowRect rect = window.geometry();
    rect.width = qMax(rect.width, window.minimumWidth());
    rect.height = qMax(rect.height, window.minimumHeight());
    const WindowRect area = workAreaOf(window);
    const FrameMargins frame = window.frameMargins();
    rect.top = area.top + area.height - rect.height - frame.top - frame.bottom;
    rect.left = area.left + area.width - rect.width - frame.left - frame.right;
    window.setGeometry(keptOnArea(rect, area, frame));
}

void Config::keepOnWorkArea(MainWindowSettingsHost &window)
{
    const WindowRect rect = window.geometry();
    const WindowRect kept = keptOnArea(rect, workAreaOf(window), window.frameMargins());
    if (kept != rect)
        window.setGeometry(kept);
}

int Config::restoreGroupSelection()
{
    const SettingsCodec::CfFields cf = SettingsCodec::parseCf(regModule::queryValue(AppSettings::settingsKey, cfName));
    m_settings.lastIDX2 = cf.rememberedGroup;
    return m_settings.lastIDX2;
}
