// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HelpPages.h"

#include "UrlOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace HelpPages {

QString pageName(int contextId)
{
    switch (contextId) {
    case 1010:
        return QStringLiteral("general.html");
    case 1020:
        return QStringLiteral("browser.html");
    case 1030:
        return QStringLiteral("session.html");
    case 1040:
        return QStringLiteral("internet.html");
    default:
        return QStringLiteral("index.html");
    }
}

QString pagePath(const QString &appFolder, int contextId)
{
    const QString fileName = QStringLiteral("/help/") + pageName(contextId);
    const QString beside = appFolder + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(appFolder + QStringLiteral("/../share/tessaly") + fileName);
    return QFileInfo::exists(installed) ? installed : beside;
}

bool open(UrlOpener &opener, const QString &appFolder, int contextId, QString *error)
{
    const QString path = pagePath(appFolder, contextId);
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QCoreApplication::translate("HelpPages", "The help page %1 is missing").arg(path);
        return false;
    }
    return opener.open(QUrl::fromLocalFile(path), error);
}

}  // namespace HelpPages
