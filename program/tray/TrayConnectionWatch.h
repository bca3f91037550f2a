// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ConnectionMonitor.h"
#include "MonitorHost.h"

#include <QObject>
#include <memory>

class ConnectionState;
class QTimer;
class TrayWindow;
struct AppState;

// The tray window's timer Timer1: every 4000 ms the connection monitor
// decides whether the program is online, and the tray window's floating
// button and main window follow.
class TrayConnectionWatch : public QObject, private MonitorHost
{
    Q_OBJECT

public:
    // connection: the computer's connection state unless a test gives its own.
    TrayConnectionWatch(AppState &state, TrayWindow &tray, ConnectionState *connection = nullptr);
    ~TrayConnectionWatch() override;

    void start();
    void stop();
    QTimer *timer() const { return m_timer; }
    ConnectionMonitor &monitor() { return *m_monitor; }

private:
    bool floatingButtonShown() const override;
    void showTrayWindow() override;
    void hideTrayWindow() override;
    void setTrayTopmost(bool onTop) override;
    void restoreMainWindow(bool show) override;
    void unloadMainWindow() override;
    void ButtonState(int pressed) override;

    AppState &m_state;
    TrayWindow &m_tray;
    std::unique_ptr<ConnectionState> m_ownConnection;
    std::unique_ptr<ConnectionMonitor> m_monitor;
    QTimer *m_timer = nullptr;
};
