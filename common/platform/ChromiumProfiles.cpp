// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChromiumProfiles.h"

#include "LockLink.h"

#include <QSysInfo>

namespace ChromiumProfiles {

QString userDataFolder(const QString &homeFolder, const QString &browserFolderName)
{
    return homeFolder + QLatin1String("/.config/") + browserFolderName;
}

bool isRunning(const QString &userDataFolder)
{
    // "<host>-<pid>": the host name may itself hold '-', the pid follows the last one.
    const QString lock = LockLink::target(userDataFolder + QLatin1String("/SingletonLock"));
    const qsizetype dash = lock.lastIndexOf(QLatin1Char('-'));
    if (dash <= 0 || lock.left(dash) != QSysInfo::machineHostName())
        return false;
    return LockLink::processAlive(LockLink::trailingPid(lock, QLatin1Char('-')));
}

}  // namespace ChromiumProfiles
