// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppPaths.h"
#include "BrowserDdeClient.h"
#include "ChromiumProfiles.h"
#include "FirefoxProfiles.h"

#include <QDir>

BrowserDdeClient::BrowserDdeClient(ProgramStarter &starter)
    : BrowserDdeClient(starter, systemProbes())
{ }

// The probes over this desktop, kept apart from the adapter's decisions.
BrowserDdeClient::Probes BrowserDdeClient::systemProbes()
{
    Probes probes;
    probes.runningFirefoxProfile = [] { return FirefoxProfiles::runningProfile(QDir::homePath()); };
    probes.operaRunning = [] {
        return ChromiumProfiles::isRunning(
            ChromiumProfiles::userDataFolder(QDir::homePath(), QStringLiteral("opera")));
    };
    probes.currentPage = [](const QString &profile) {
        QString error;
        return SessionStore::readCurrentPage(profile, &error);
    };
    probes.appPath = [](const QString &exeName) { return AppPaths::getAppPath(exeName, QString()); };
    return probes;
}
