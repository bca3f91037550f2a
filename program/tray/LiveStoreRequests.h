// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InstanceMessage.h"
#include "LiveStore.h"

#include <QObject>

class TrayWindow;
class URLBlock;
struct AppState;

// tsy commands run by the program on its live store (the request "tsy",
// see InstanceMessage), when the main window holds the command's FILE
// loaded: the very commands of tsy, their output captured and sent back.
// Every change they make comes through apply(): the store takes it, counts
// it and the window's lists follow; the program saves it as any change.
//
// While the program is busy (loading, a prompt or dialog open, long work, a
// tsy command running) a request is answered "later" (InstanceServer asks
// again), so a command never runs half-way through another one.
class LiveStoreRequests : public QObject, public LiveStore
{
    Q_OBJECT

public:
    LiveStoreRequests(TrayWindow &tray, AppState &state, QObject *parent = nullptr);

    InstanceMessage::Reply answer(const InstanceMessage::Request &request);

    // The change a command made: changed becomes the store (changed is left empty).
    void apply(URLBlock &changed);

    // LiveStore
    bool holds(const QString &path) const override;
    void copyInto(URLBlock &store) const override;
    void replaceWith(URLBlock &changed) override;
    void countVisit(quint32 keyWhenRead, double now) override;

    // Why the program cannot run a command now; "" when it can.
    QString busyReason() const;

private:
    InstanceMessage::Reply run(const QStringList &commandLine);

    TrayWindow &m_tray;
    AppState &m_state;
    bool m_running = false;
    QString m_commandName;  // of the command running, as tsy names it
};
