// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InstanceMessage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;

// The running program's socket: other programs of the same user send
// requests (see InstanceMessage), one line each, and get the handler's
// answer. A connection from another user is closed unanswered; so is one
// that sends something that is not a request, or stays idle too long.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<InstanceMessage::Reply(const InstanceMessage::Request &)>;

    explicit InstanceServer(Handler handler, QObject *parent = nullptr);
    ~InstanceServer() override;

    // Listens at path (a socket only the user may use, mode 0600). Whatever
    // is there is removed first: the caller holds the single-instance lock,
    // so it can only be the socket of a program that was killed. False, with
    // the reason in error, when the socket cannot be made.
    bool listen(const QString &path, QString *error = nullptr);
    QString path() const;

    // The user whose programs may ask: this process's. Tests set another one
    // to see a stranger refused.
    void setOwnUser(uid_t user) { m_ownUser = user; }
    // How long a connection may stay without a whole request.
    void setIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }

signals:
    // A connection was closed unanswered: another user, or not a request.
    void connectionRefused();

private:
    void acceptConnections();
    void readRequests(QLocalSocket *socket);
    void refuse(QLocalSocket *socket);

    Handler m_handler;
    QLocalServer *m_server = nullptr;
    uid_t m_ownUser;
    int m_idleTimeoutMs = 10000;
};
