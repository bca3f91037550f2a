// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ConnectionMonitor.h"

#include "AppState.h"
#include "ConnectionState.h"
#include "MonitorHost.h"

namespace {

enum LastConnState { NotChecked = 0, SeenOffline = 1, SeenOnline = 2 };

}  // namespace

ConnectionMonitor::ConnectionMonitor(AppState &state, ConnectionState &connection, MonitorHost &host)
    : m_state(state)
    , m_connection(connection)
    , m_host(host)
{ }

quint32 ConnectionMonitor::getRasStatus()
{
    return m_connection.remoteConnectionStatus(m_rasHandle);
}

bool ConnectionMonitor::isRasConnected()
{
    if (m_rasConnected) {
        const quint32 status = getRasStatus();
        if (status == 0 || status == ConnectionState::disconnected)
            m_rasConnected = false;
        return m_rasConnected;
    }
    const QList<quint32> connections = m_connection.remoteConnections();
    if (!connections.isEmpty()) {
        m_rasHandle = connections.first();
        m_rasConnected = getRasStatus() == ConnectionState::connected;
    }
    return m_rasConnected;
}

void ConnectionMonitor::tick()
{
    if (m_state.dialogState != AppState::NoDialog)
        return;
    switch (m_state.settings.mT) {
    case 0:
        m_state.isOnline = isRasConnected();
        break;
    case 1:
        m_state.isOnline = m_connection.internetConnected();
        break;
    default:
        m_state.isOnline = true;
    }
    if (m_state.lastConnState != SeenOnline && m_state.isOnline)
        connectionCameUp();
    else if (m_state.lastConnState != SeenOffline && !m_state.isOnline)
        connectionWent();
}

void ConnectionMonitor::connectionCameUp()
{
    const bool loadMain = m_state.settings.oC == 1;
    if (m_host.floatingButtonShown()) {
        if (m_state.settings.hAI)
            m_host.showTrayWindow();
        if (loadMain)
            m_host.restoreMainWindow(false);
        m_host.setTrayTopmost(m_state.settings.iAOT);
    } else if (loadMain) {
        m_host.restoreMainWindow(true);
    }
    m_host.ButtonState(0);
    m_state.lastConnState = SeenOnline;
}

void ConnectionMonitor::connectionWent()
{
    m_host.setTrayTopmost(false);
    if (m_state.lastConnState == SeenOnline && m_state.hideOnClose) {
        m_state.hideOnClose = false;
        m_host.unloadMainWindow();
    }
    if (m_state.settings.hAI)
        m_host.hideTrayWindow();
    m_state.lastConnState = SeenOffline;
    m_host.ButtonState(0);
}
