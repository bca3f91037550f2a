// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ConnectionState.h"

#include <QString>

class QNetworkInformation;
class QNetworkInterface;

// The connection state of this computer: Qt's network information backend
// (NetworkManager, else GLib's network monitor) for the internet state, with
// the routing table standing in when neither backend loads; point-to-point
// interfaces that are up (ppp, wwan, tun) as the remote-access connections.
class LinuxConnectionState : public ConnectionState
{
public:
    LinuxConnectionState();

    QList<quint32> remoteConnections() override;
    quint32 remoteConnectionStatus(quint32 handle) override;
    bool internetConnected() override;

    // Whether an interface counts as a remote-access connection when it is up.
    static bool isRemoteAccess(const QNetworkInterface &networkInterface);
    static bool isRemoteAccess(const QString &name, bool pointToPoint);

private:
    QNetworkInformation *m_information = nullptr;  // null when no backend loads
};
