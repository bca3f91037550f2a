// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// Browsers of the Chromium family (Chromium, Google Chrome, Opera) keep a
// SingletonLock link in their user-data folder that names "<host>-<pid>".
namespace ChromiumProfiles {

// The user-data folder of a browser below $XDG_CONFIG_HOME, by default
// ~/.config ("chromium", "google-chrome", "opera").
QString userDataFolder(const QString &homeFolder, const QString &browserFolderName);

// Whether the folder's SingletonLock names a process of this host that is alive.
bool isRunning(const QString &userDataFolder);

// A profile of Chromium or Google Chrome that holds bookmarks.
struct Profile
{
    QString folder;  // absolute
    QString label;   // the browser and the profile's name: "Chromium: Person 1"
};

// The profiles with a "Bookmarks" file in the user-data folders of
// "chromium" and "google-chrome" (below $CHROME_CONFIG_HOME where it is set,
// as those browsers take it before $XDG_CONFIG_HOME): of each, "Default" first, then the others in the
// order of their folders' names; named as "Local State" names them, else by
// their folder.
QList<Profile> bookmarkProfiles(const QString &homeFolder);

} // namespace ChromiumProfiles
