// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Browsers of the Chromium family (Chromium, Google Chrome, Opera) keep a
// SingletonLock link in their user-data folder that names "<host>-<pid>".
namespace ChromiumProfiles {

// The user-data folder of a browser below ~/.config ("chromium",
// "google-chrome", "opera").
QString userDataFolder(const QString &homeFolder, const QString &browserFolderName);

// Whether the folder's SingletonLock names a process of this host that is alive.
bool isRunning(const QString &userDataFolder);

} // namespace ChromiumProfiles
