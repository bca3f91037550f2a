// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InstanceMessage.h"

#include <QObject>

class InstanceServer;
class LiveStoreRequests;
class TrayWindow;
struct AppState;

// The running program's answers to other starts of it (see SecondStart),
// over its socket: "show" shows the main window, unless the start names
// another stack file than this program's default one, which cannot be
// opened beside it (one store per user). "tsy" runs a tsy command on the
// live store (see LiveStoreRequests).
class InstanceRequests : public QObject
{
    Q_OBJECT

public:
    InstanceRequests(TrayWindow &tray, AppState &state, QObject *parent = nullptr);

    // Answers at socketPath from now on; false, with the reason in error,
    // when the socket cannot be made (other starts then get no answer).
    bool listen(const QString &socketPath, QString *error = nullptr);
    InstanceServer *server() const { return m_server; }
    LiveStoreRequests *liveStore() const { return m_liveStore; }

    InstanceMessage::Reply answer(const InstanceMessage::Request &request);

    // Whether the two paths name one file: through links where it exists.
    static bool sameFile(const QString &first, const QString &second);

private:
    TrayWindow &m_tray;
    const AppState &m_state;
    LiveStoreRequests *m_liveStore = nullptr;
    InstanceServer *m_server = nullptr;
};
