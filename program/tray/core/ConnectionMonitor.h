// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

class ConnectionState;
class MonitorHost;
struct AppState;

// The connection monitor: every tick decides whether the program is online
// (mT 0 the remote-access connections, 1 the internet connected state, any
// other value always) and reacts to a change: the floating button follows,
// the main window is loaded when a connection comes up (oC) and flushed when
// it goes. lastConnState remembers what the last change was.
class ConnectionMonitor
{
public:
    static constexpr int intervalMs = 4000;

    ConnectionMonitor(AppState &state, ConnectionState &connection, MonitorHost &host);

    // The timer's work; nothing while a prompt or dialog is open.
    void tick();

    // Whether the watched remote-access connection is connected; a new one
    // is looked for while none is.
    bool isRasConnected();
    // The watched connection's state; 0 when the status call fails.
    quint32 getRasStatus();

private:
    void connectionCameUp();
    void connectionWent();

    AppState &m_state;
    ConnectionState &m_connection;
    MonitorHost &m_host;
    bool m_rasConnected = false;
    quint32 m_rasHandle = 0;
};
