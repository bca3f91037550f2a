// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InstanceMessage.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The running program's socket: other programs of the same user send
// requests (see InstanceMessage), one line each, and get the handler's
// answer. A connection from another user is closed unanswered; so is one
// that sends something that is not a request, a line too long, more than
// InstanceMessage::maxConnectionBytes in all, or stays idle too long.
//
// A handler that answers "later" (the program is busy) is asked again every
// tenth of a second until it answers or busyWait has passed; meanwhile that
// connection's next requests wait, and it does not count as idle.
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
    // How long a request that the handler answers "later" is asked again.
    void setBusyWait(int milliseconds) { m_busyWaitMs = milliseconds; }

signals:
    // A connection was closed unanswered: another user, or not a request.
    void connectionRefused();

private:
    struct Connection
    {
        QTimer *idle = nullptr;
        QTimer *retry = nullptr;
        qint64 received = 0;
        std::optional<InstanceMessage::Request> waiting;  // asked again until answered
        qint64 waitingSinceMs = 0;
        bool answering = false;
    };

    void acceptConnections();
    void readRequests(QLocalSocket *socket);
    bool answer(QLocalSocket *socket, const InstanceMessage::Request &request, bool lastTry);
    void askAgain(QLocalSocket *socket);
    void refuse(QLocalSocket *socket);

    Handler m_handler;
    QLocalServer *m_server = nullptr;
    uid_t m_ownUser;
    int m_idleTimeoutMs = 10000;
    int m_busyWaitMs = 10000;
    std::map<QLocalSocket *, Connection> m_connections;
};
