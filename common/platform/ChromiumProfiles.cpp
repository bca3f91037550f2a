// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChromiumProfiles.h"

#include "ConfigHome.h"
#include "LockLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>

namespace {

// The profiles' names by folder, from the user-data folder's "Local State".
QJsonObject profileNames(const QString &userDataFolder)
{
    QFile file(userDataFolder + QLatin1String("/Local State"));
    if (!file.open(QIODevice::ReadOnly) || file.size() > (qint64(64) << 20))
        return {};
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    return state.value(QLatin1String("profile")).toObject().value(QLatin1String("info_cache")).toObject();
}

// Where Chrome and Chromium keep their user-data folders: $CHROME_CONFIG_HOME
// where it is set (their own variable, before the desktop's), else the
// desktop's configuration folder.
QString chromeConfigHome(const QString &homeFolder)
{
    const QString set = qEnvironmentVariable("CHROME_CONFIG_HOME");
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return ConfigHome::of(homeFolder);
}

}  // namespace

namespace ChromiumProfiles {

QString userDataFolder(const QString &homeFolder, const QString &browserFolderName)
{
    return ConfigHome::of(homeFolder) + QLatin1Char('/') + browserFolderName;
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

QList<Profile> bookmarkProfiles(const QString &homeFolder)
{
    const std::pair<const char *, const char *> browsers[] = {
        {"chromium", "Chromium"},
        {"google-chrome", "Google Chrome"},
    };
    QList<Profile> profiles;
    for (const auto &[folderName, browser] : browsers) {
        const QDir base(chromeConfigHome(homeFolder) + QLatin1Char('/') + QLatin1String(folderName));
        const QJsonObject names = profileNames(base.path());
        QStringList folders = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (folders.removeAll(QStringLiteral("Default")) > 0)
            folders.prepend(QStringLiteral("Default"));
        for (const QString &folder : folders) {
            if (!QFileInfo(base.filePath(folder) + QLatin1String("/Bookmarks")).isFile())
                continue;
            const QString name = names.value(folder).toObject().value(QLatin1String("name")).toString();
            profiles.append({QDir::cleanPath(base.absoluteFilePath(folder)),
                             QLatin1String(browser) + QLatin1String(": ") + (name.isEmpty() ? folder : name)});
        }
    }
    return profiles;
}

}  // namespace ChromiumProfiles
