// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DdeClient.h"
#include "SessionStore.h"

#include <QStringList>
#include <functional>
#include <optional>

class ProgramStarter;

// The DDE conversations with browsers, answered by the browsers of this
// desktop. "WWW_OpenURL": "Netscape" hands the address to the running
// Firefox (its running profile named, so that the request reaches that
// instance), "Opera" to the running Opera, "IEXPLORE" to the desktop's
// default browser; each program comes from "App Paths" and is started
// detached, never waited for. "WWW_GetWindowInfo" "-1": "Netscape" answers
// with the running Firefox's current page from its session store. A service
// whose browser is not running has no conversation; an item that cannot be
// read, or an address that must not be opened, fails.
class BrowserDdeClient : public DdeClient
{
public:
    // How the adapter sees the browsers (the real probes by default; tests give their own).
    struct Probes
    {
        // The running Firefox's profile folder; "" when none runs.
        std::function<QString()> runningFirefoxProfile;
        std::function<bool()> operaRunning;
        std::function<std::optional<SessionStore::Page>(const QString &profile)> currentPage;
        // A program file from "App Paths" by its file name.
        std::function<QString(const QString &exeName)> appPath;
    };

    explicit BrowserDdeClient(ProgramStarter &starter);
    BrowserDdeClient(ProgramStarter &starter, Probes probes);

    Status request(const QString &service, const QString &topic, const QString &item,
                   QString *reply) override;

    // The probes over this desktop: the home folder's Firefox profiles and
    // Opera's user-data folder, the session store, the registry's "App Paths".
    static Probes systemProbes();

private:
    Status openUrl(const QString &service, const QString &item);
    Status windowInfo(const QString &service, const QString &item, QString *reply);
    Status start(const QString &program, const QStringList &arguments);
    Status startBrowser(const QString &program, QStringList switches, const QString &address);

    ProgramStarter &m_starter;
    Probes m_probes;
};
