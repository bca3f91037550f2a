// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserLaunch.h"

#include "AppPaths.h"
#include "AppSettings.h"
#include "ClipboardAccess.h"
#include "DdeClient.h"
#include "DdeItems.h"
#include "ErrorText.h"
#include "KeySequences.h"
#include "LaunchHost.h"
#include "OpenableAddress.h"
#include "ProgramStarter.h"

#include <QCoreApplication>

BrowserLaunch::BrowserLaunch(const AppSettings &settings, int platformId, BrowserServices services,
                             LaunchHost *host)
    : m_settings(settings)
    , m_services(services)
    , m_host(host)
    , m_search(services.windows, platformId)
{ }

QString BrowserLaunch::appFileName(int browser)
{
    static const QStringList names {QStringLiteral("IEXPLORE.EXE"), QStringLiteral("Netscape.exe"),
                                    QStringLiteral("Opera.EXE")};
    return browser >= 0 && browser < names.size() ? names[browser] : QString();
}

bool BrowserLaunch::openURL(const QString &address, int newWindow, QString *error)
{
    if (m_host)
        m_host->focusSelected();
    const QUrl openable = OpenableAddress::fromText(address);
    if (!openable.isValid())
        return ErrorText::fail(error, OpenableAddress::refusal(address));
    const QString url = openable.toString(QUrl::FullyEncoded);
    int index = m_settings.pB;
    if (index == 0) {
        if (!newWindow && !m_settings.uSK)
            return navigateIE(url, error);
        if (!newWindow && pasteURLByKeys(url)) {
            hideStep();
            return true;
        }
        return shellOpenURL(url, error);
    }
    for (int tries = 0; tries < ddeAttempts; ++tries) {
        QString reply;
        const auto status = m_services.dde.request(DdeItems::serviceName(index), DdeItems::openUrlTopic,
                                                   DdeItems::openUrlItem(url, newWindow, index), &reply);
        if (status == DdeClient::Status::Ok) {
            hideStep();
            return true;
        }
        // Netscape takes a request it has not answered in time as accepted.
        if (status == DdeClient::Status::Timeout && index == 1)
            return true;
        index = index + 1 > 2 ? 0 : index + 1;
    }
    return shellOpenURL(url, error);
}

void BrowserLaunch::hideStep()
{
    if (m_settings.aI && m_host)
        m_host->hideMainWindow();
}

bool BrowserLaunch::pasteURLByKeys(const QString &url)
{
    // The address is typed only into the browser: a window that could not be
    // made active is not used, and the shell start follows.
    if (!m_search.activateBrowserWindow(activateWaitMs))
        return false;
    m_services.keys.send(KeySequences::sendAltD());
    m_services.clipboard.clear();
    m_services.clipboard.setText(url);
    m_services.keys.send(KeySequences::sendCtrlV());
    m_services.keys.send(KeySequences::sendEnter());
    return true;
}

bool BrowserLaunch::navigateIE(const QString &url, QString *error)
{
    const auto window = m_search.findIEWindow();
    if (!window)
        return shellOpenURL(url, error);
    // The window's browser opens the address: Firefox through its running
    // instance, the others as their program started with the address.
    m_services.windows.activate(window->HWND, 0);
    QString reply;
    if (window->family == BrowserTitles::Family::Firefox
        && m_services.dde.request(DdeItems::serviceName(1), DdeItems::openUrlTopic,
                                  DdeItems::openUrlItem(url, 0, 1), &reply)
            == DdeClient::Status::Ok)
        return true;
    if (window->family == BrowserTitles::Family::Opera
        && m_services.dde.request(DdeItems::serviceName(2), DdeItems::openUrlTopic,
                                  DdeItems::openUrlItem(url, 0, 2), &reply)
            == DdeClient::Status::Ok)
        return true;
    return shellOpenURL(url, error);
}

bool BrowserLaunch::shellOpenURL(const QString &url, QString *error)
{
    const QString program = AppPaths::getAppPath(appFileName(m_settings.pB), QString());
    if (program.isEmpty())
        return ErrorText::fail(
            error,
            QCoreApplication::translate("BrowserLaunch", "No browser program is set for %1")
                .arg(appFileName(m_settings.pB)));
    QString why;
    if (!m_services.starter.startDetached(program, {url}, &why))
        return ErrorText::fail(
            error,
            QCoreApplication::translate("BrowserLaunch", "The browser could not be started: %1").arg(why));
    return true;
}
