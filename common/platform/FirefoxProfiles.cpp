// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FirefoxProfiles.h"

#include "ConfigHome.h"
#include "LockLink.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>

namespace {

using Keys = QList<QPair<QString, QString>>;
using Section = QPair<QString, Keys>;

// The sections of an INI file in file order, each with its keys. Written by
// hand rather than with QSettings, which would read a comma in a path as a
// list separator and a backslash as an escape.
QList<Section> readIni(const QString &path)
{
    QFile file(path);
    QList<Section> sections;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return sections;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            sections.append({line.mid(1, line.size() - 2), {}});
        else if (const qsizetype equals = line.indexOf(QLatin1Char('=')); equals > 0 && !sections.isEmpty())
            sections.last().second.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return sections;
}

QString value(const Keys &keys, const QString &name)
{
    for (const auto &[key, text] : keys) {
        if (key == name)
            return text;
    }
    return QString();
}

// The profile paths that a folder's two files name: the installs' Default=
// first (the profile each installation really uses), then the legacy
// Default=1 profiles, then every other profile, which runs when Firefox is
// started with -P NAME or --profile DIR.
QStringList namedProfiles(const QString &base)
{
    QStringList installs;
    QStringList legacy;
    QStringList others;
    for (const auto &[name, keys] : readIni(base + QLatin1String("/installs.ini")))
        installs.append(value(keys, QStringLiteral("Default")));
    for (const auto &[name, keys] : readIni(base + QLatin1String("/profiles.ini"))) {
        if (name.startsWith(QLatin1String("Install")))
            installs.append(value(keys, QStringLiteral("Default")));
        else if (!name.startsWith(QLatin1String("Profile")))
            continue;
        else if (value(keys, QStringLiteral("Default")) == QLatin1String("1"))
            legacy.append(value(keys, QStringLiteral("Path")));
        else
            others.append(value(keys, QStringLiteral("Path")));
    }
    return installs + legacy + others;
}

QDateTime sessionStoreTime(const QString &profileFolder)
{
    return QFileInfo(profileFolder + QLatin1String("/sessionstore-backups/recovery.jsonlz4")).lastModified();
}

}  // namespace

namespace FirefoxProfiles {

QStringList profileFolders(const QString &homeFolder)
{
    QStringList folders;
    const QStringList locations {ConfigHome::of(homeFolder) + QLatin1String("/mozilla/firefox"),
                                 homeFolder + QLatin1String("/.mozilla/firefox")};
    for (const QString &location : locations) {
        const QDir base(location);
        for (const QString &path : namedProfiles(base.path())) {
            if (path.isEmpty())
                continue;
            // A relative Path= lies below the folder of profiles.ini, an absolute one stands as it is.
            const QFileInfo folder(base.filePath(path));
            const QString absolute = QDir::cleanPath(folder.absoluteFilePath());
            if (folder.isDir() && !folders.contains(absolute))
                folders.append(absolute);
        }
    }
    return folders;
}

bool isRunning(const QString &profileFolder)
{
    const QString lock = LockLink::target(profileFolder + QLatin1String("/lock"));
    return LockLink::processAlive(LockLink::trailingPid(lock, QLatin1Char(':')));
}

QString runningProfile(const QString &homeFolder)
{
    QString newest;
    for (const QString &folder : profileFolders(homeFolder)) {
        if (isRunning(folder) && (newest.isEmpty() || sessionStoreTime(folder) > sessionStoreTime(newest)))
            newest = folder;
    }
    return newest;
}

}  // namespace FirefoxProfiles
