// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ConfigHome.h"

#include <QDir>

namespace ConfigHome {

QString of(const QString &homeFolder)
{
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!set.isEmpty() && QDir::isAbsolutePath(set))
        return QDir::cleanPath(set);
    return homeFolder + QLatin1String("/.config");
}

}  // namespace ConfigHome
