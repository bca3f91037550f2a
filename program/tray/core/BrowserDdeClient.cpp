// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BrowserDdeClient.h"

#include "AppPaths.h"
#include "DdeItems.h"
#include "OpenableAddress.h"
#include "ProgramStarter.h"

#include <QFileInfo>

BrowserDdeClient::BrowserDdeClient(ProgramStarter &starter, Probes probes)
    : m_starter(starter)
    , m_probes(std::move(probes))
{ }

DdeClient::Status BrowserDdeClient::request(const QString &service, const QString &topic, const QString &item,
                                            QString *reply)
{
    if (topic == DdeItems::openUrlTopic)
        return openUrl(service, item);
    if (topic == DdeItems::windowInfoTopic)
        return windowInfo(service, item, reply);
    return Status::NoConversation;
}

DdeClient::Status BrowserDdeClient::openUrl(const QString &service, const QString &item)
{
    QString profile;
    if (service == DdeItems::serviceName(1)) {
        profile = m_probes.runningFirefoxProfile();
        if (profile.isEmpty())
            return Status::NoConversation;
    } else if (service == DdeItems::serviceName(2)) {
        if (!m_probes.operaRunning())
            return Status::NoConversation;
    } else if (service != DdeItems::serviceName(0)) {
        return Status::NoConversation;
    }
    const auto request = DdeItems::readOpenUrlItem(item);
    const QUrl url = request ? OpenableAddress::fromText(request->url) : QUrl();
    // The address reaches the browser as the address rule reads it, or not at all.
    if (!url.isValid())
        return Status::Failed;
    const QString address = url.toString(QUrl::FullyEncoded);
    const QString window = request->newWindow ? QStringLiteral("--new-window") : QStringLiteral("--new-tab");
    if (service == DdeItems::serviceName(1))
        return startBrowser(m_probes.appPath(QStringLiteral("Netscape.exe")),
                            {QStringLiteral("--profile"), profile, window}, address);
    if (service == DdeItems::serviceName(2))
        return startBrowser(m_probes.appPath(QStringLiteral("Opera.EXE")),
                            request->newWindow ? QStringList {window} : QStringList(), address);
    return start(m_probes.appPath(QStringLiteral("IEXPLORE.EXE")), {address});
}

// A browser's own switches go to the browser only: where its App Paths entry
// names the default-browser opener (the browser was not on PATH when the
// entry was made), the opener gets the address alone, as it takes no options.
DdeClient::Status BrowserDdeClient::startBrowser(const QString &program, QStringList switches,
                                                 const QString &address)
{
    if (QFileInfo(program).fileName() == QFileInfo(AppPaths::defaultBrowserOpener()).fileName())
        switches.clear();
    return start(program, switches << address);
}

DdeClient::Status BrowserDdeClient::start(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty())
        return Status::Failed;
    QString error;
    return m_starter.startDetached(program, arguments, &error) ? Status::Ok : Status::Failed;
}

DdeClient::Status BrowserDdeClient::windowInfo(const QString &service, const QString &item, QString *reply)
{
    // Chromium's browsers keep no session that can be read: only Firefox answers.
    if (service != DdeItems::serviceName(1))
        return Status::NoConversation;
    const QString profile = m_probes.runningFirefoxProfile();
    if (profile.isEmpty())
        return Status::NoConversation;
    if (item != DdeItems::lastActiveWindow)
        return Status::Failed;
    const auto page = m_probes.currentPage(profile);
    if (!page)
        return Status::Failed;
    if (reply)
        *reply = DdeItems::windowInfoReply(page->url, page->title);
    return Status::Ok;
}
