// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxConnectionState.h"

#include "RouteTable.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace {

// Loaded once per process: loading a backend starts its monitor, after which
// the reachability is a property that the backend keeps up to date.
QNetworkInformation *loadedInformation()
{
    static const bool loaded = QNetworkInformation::loadDefaultBackend()
        || QNetworkInformation::loadBackendByName(QStringLiteral("glib"));
    return loaded ? QNetworkInformation::instance() : nullptr;
}

bool isUpAndRunning(const QNetworkInterface &networkInterface)
{
    const QNetworkInterface::InterfaceFlags flags = networkInterface.flags();
    return networkInterface.isValid() && flags.testFlag(QNetworkInterface::IsUp)
        && flags.testFlag(QNetworkInterface::IsRunning);
}

bool interfaceUp(const QString &name)
{
    return isUpAndRunning(QNetworkInterface::interfaceFromName(name));
}

}  // namespace

LinuxConnectionState::LinuxConnectionState()
    : m_information(loadedInformation())
{ }

QList<quint32> LinuxConnectionState::remoteConnections()
{
    QList<quint32> handles;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &networkInterface : interfaces) {
        if (isRemoteAccess(networkInterface) && isUpAndRunning(networkInterface))
            handles.append(quint32(networkInterface.index()));
    }
    return handles;
}

quint32 LinuxConnectionState::remoteConnectionStatus(quint32 handle)
{
    const QNetworkInterface networkInterface = QNetworkInterface::interfaceFromIndex(int(handle));
    if (!networkInterface.isValid() || !isRemoteAccess(networkInterface))
        return 0;
    return isUpAndRunning(networkInterface) ? connected : disconnected;
}

bool LinuxConnectionState::internetConnected()
{
    if (m_information) {
        switch (m_information->reachability()) {
        case QNetworkInformation::Reachability::Online:
        case QNetworkInformation::Reachability::Site:
            return true;
        case QNetworkInformation::Reachability::Disconnected:
        case QNetworkInformation::Reachability::Local:
            return false;
        case QNetworkInformation::Reachability::Unknown:
            break;  // the backend does not know yet: ask the routing table
        }
    }
    return RouteTable::hasDefaultRoute(RouteTable::systemTable(), interfaceUp);
}

bool LinuxConnectionState::isRemoteAccess(const QNetworkInterface &networkInterface)
{
    return isRemoteAccess(networkInterface.name(),
                          networkInterface.flags().testFlag(QNetworkInterface::IsPointToPoint));
}

bool LinuxConnectionState::isRemoteAccess(const QString &name, bool pointToPoint)
{
    // Cellular (wwan) links are plain IP devices rather than point-to-point ones: known by name.
    static const QLatin1String prefixes[]
        = {QLatin1String("ppp"), QLatin1String("wwan"), QLatin1String("tun")};
    return pointToPoint || std::any_of(std::begin(prefixes), std::end(prefixes), [&](QLatin1String prefix) {
               return name.startsWith(prefix);
           });
}
