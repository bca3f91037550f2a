// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayConnectionWatch.h"

#include "AppState.h"
#include "FloatingButton.h"
#include "LinuxConnectionState.h"
#include "TrayWindow.h"
#include "WindowHelpers.h"

#include <QTimer>

TrayConnectionWatch::TrayConnectionWatch(AppState &state, TrayWindow &tray, ConnectionState *connection)
    : QObject(&tray)
    , m_state(state)
    , m_tray(tray)
{
    if (!connection) {
        m_ownConnection = std::make_unique<LinuxConnectionState>();
        connection = m_ownConnection.get();
    }
    m_monitor = std::make_unique<ConnectionMonitor>(state, *connection, static_cast<MonitorHost &>(*this));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(ConnectionMonitor::intervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] { m_monitor->tick(); });
}

TrayConnectionWatch::~TrayConnectionWatch() = default;

void TrayConnectionWatch::start()
{
    m_timer->start();
}

void TrayConnectionWatch::stop()
{
    m_timer->stop();
}

bool TrayConnectionWatch::floatingButtonShown() const
{
    return m_state.settings.aI;
}

void TrayConnectionWatch::showTrayWindow()
{
    m_tray.floatingButton()->showButton();
}

// The button stays while it is the only way to reach the program (no icon).
void TrayConnectionWatch::hideTrayWindow()
{
    if (m_tray.trayIconShown())
        m_tray.floatingButton()->hideButton();
}

void TrayConnectionWatch::setTrayTopmost(bool onTop)
{
    WindowHelpers::setTopmost(m_tray.floatingButton(), onTop);
}

void TrayConnectionWatch::restoreMainWindow(bool show)
{
    if (show)
        m_tray.showMainWindow();
    else
        m_tray.loadMainWindow(true);
}

void TrayConnectionWatch::unloadMainWindow()
{
    m_tray.flushMainWindow();
}

void TrayConnectionWatch::ButtonState(int pressed)
{
    m_tray.ButtonState(pressed);
}
