// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShellFolders.h"

#include "regModule.h"

#include <QDir>
#include <QStandardPaths>

namespace ShellFolders {
namespace {

// The value name under "User Shell Folders", as the Windows shell names it.
QString valueName(int csidl)
{
    switch (csidl) {
    case Favorites: return QStringLiteral("Favorites");
    case Startup: return QStringLiteral("Startup");
    case Recent: return QStringLiteral("Recent");
    default: return QString();
    }
}

QString defaultFolder(int csidl)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    switch (csidl) {
    case Favorites: return data + QStringLiteral("/Tessaly/Favorites");
    case Startup:
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
    case Recent: return data + QStringLiteral("/Tessaly/Recent");
    default: return QString();
    }
}

// A stored folder: "~" or "~/..." at its start is the home folder; only an
// absolute path counts, so a damaged value cannot point into the working folder.
QString storedFolder(const QString &name)
{
    QString path = regModule::queryValue(userShellFoldersKey(), name).trimmed();
    if (path == u'~' || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return QString();
    return QDir::cleanPath(path);
}

} // namespace

QString userShellFoldersKey()
{
    return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
}

QString getSpecialFolder(int csidl)
{
    const QString name = valueName(csidl);
    if (name.isEmpty())
        return QString();
    const QString stored = storedFolder(name);
    return stored.isEmpty() ? QDir::cleanPath(defaultFolder(csidl)) : stored;
}

} // namespace ShellFolders
