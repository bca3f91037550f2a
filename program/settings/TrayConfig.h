// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppSettings.h"
#include "SettingsCodec.h"

class TrayWindowSettingsHost;

// The tray window's settings: "ID" read at start and written at exit, and
// the four auto options of "CF" field 0 read at start.
class TrayConfig
{
public:
    explicit TrayConfig(AppSettings &settings);

    void earlyConfig(TrayWindowSettingsHost &tray);
    void lateSave(const TrayWindowSettingsHost &tray);

    // The settings that "ID" holds, without a window (tsy). On the first
    // start (nothing stored) the notification-area icon is wanted.
    static void applyId(AppSettings &settings, const SettingsCodec::IdFields &id);
    // "CF" field 0 as the four auto options; a missing "CF" counts as 0.
    static void applyAutoOptions(AppSettings &settings, const QString &cf);
    // Writes "ID" (the key is created when missing).
    static void writeId(const AppSettings &settings);

    // The tray window's default place, left of the screen's right edge.
    static constexpr int defaultRightMargin = 200;

private:
    AppSettings &m_settings;
};
