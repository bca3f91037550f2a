// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

// Whether the computer is connected, the two ways the connection monitor
// asks: the remote-access connections (here the point-to-point interfaces
// that are up: ppp, wwan, tun) and the internet connected state (here
// QNetworkInformation; with no backend, a default route on an interface that
// is up). Each call must be cheap: the monitor asks every few seconds on the
// user-interface thread.
class ConnectionState
{
public:
    // Remote-access connection states, as the platform reports them.
    static constexpr quint32 connected = 0x2000;
    static constexpr quint32 disconnected = 0x2001;

    virtual ~ConnectionState() = default;

    // Handles of the active remote-access connections (interface indexes), in
    // the order the system lists them.
    virtual QList<quint32> remoteConnections() = 0;
    // connected or disconnected for a listed handle; 0 when the handle is
    // unknown (the status call failed).
    virtual quint32 remoteConnectionStatus(quint32 handle) = 0;
    virtual bool internetConnected() = 0;
};
