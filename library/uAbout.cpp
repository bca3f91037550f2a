// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "uAbout.h"

#include "DesktopUrlOpener.h"
#include "frmAbout.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QUrl>

uAbout::uAbout(QObject *parent)
    : QObject(parent)
{ }

void uAbout::showAbout(QObject *ofrm, const QString &aPath, int aMajor, int aMinor, int aRevision,
                       bool centre)
{
    frmAbout box;
    box.appPath = aPath;
    box.appMajor = aMajor;
    box.appMinor = aMinor;
    box.appRevision = aRevision;
    box.load();
    QRect over;
    if (!centre && ofrm)
        over = ofrm->property("frameGeometry").toRect();
    if (!over.isValid()) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        over = screen ? screen->geometry() : QRect();
    }
    box.centreAt(over.center());
    box.exec();
}

QString uAbout::address(int action)
{
    switch (action) {
    case 0:
        return QStringLiteral("mailto:tessaly@orvane.org");
    case 1:
        return QStringLiteral("https://orvane.org/tessaly/");
    default:
        return QString();
    }
}

bool uAbout::sDo(QObject *window, int action)
{
    Q_UNUSED(window);  // the desktop's handler needs no owner window
    const QUrl url(address(action));
    if (url.scheme() != QLatin1String("mailto") && url.scheme() != QLatin1String("https"))
        return false;
    QString error;
    return DesktopUrlOpener().open(url, &error);
}
