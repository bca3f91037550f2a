// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The Firefox profiles of a home folder, from profiles.ini and installs.ini
// under ~/.mozilla/firefox and $XDG_CONFIG_HOME/mozilla/firefox (by default
// ~/.config/mozilla/firefox), where Firefox makes them in a new home.
namespace FirefoxProfiles {

// Every profile folder the two files name, absolute, existing, without
// repeats: the defaults first (the installs' Default=, then the profiles
// marked Default=1), then the other profiles in file order, whether their
// Path= is relative to the file's folder or absolute; the XDG location's
// first.
QStringList profileFolders(const QString &homeFolder);

// Whether the profile's "lock" link names a process that is alive.
bool isRunning(const QString &profileFolder);

// The profile of a running Firefox: the running one among profileFolders
// (default or not, as Firefox may be started on any profile), the one with
// the newest session store when several run; "" when none runs.
QString runningProfile(const QString &homeFolder);

} // namespace FirefoxProfiles
