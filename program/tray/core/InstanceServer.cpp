// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceServer.h"

#include "PeerCredentials.h"

#include <QDateTime>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <unistd.h>
#include <utility>

namespace {

constexpr int retryIntervalMs = 100;

}  // namespace

InstanceServer::InstanceServer(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_server(new QLocalServer(this))
    , m_ownUser(::geteuid())
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptConnections);
}

InstanceServer::~InstanceServer()
{
    // The sockets are the server's children: they go with it, unheard.
    for (auto &[socket, connection] : m_connections)
        disconnect(socket, nullptr, this, nullptr);
}

bool InstanceServer::listen(const QString &path, QString *error)
{
    m_server->close();
    QLocalServer::removeServer(path);
    QString reason;
    if (!m_server->listen(path)) {
        reason = m_server->errorString();
    } else if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        // Qt makes it 0700: only reading and writing are of use.
        m_server->close();
        reason = QStringLiteral("its permissions cannot be set");
    }
    if (reason.isEmpty())
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

QString InstanceServer::path() const
{
    return m_server->fullServerName();
}

void InstanceServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.erase(socket); });
        if (!PeerCredentials::isOwnUser(PeerCredentials::userOf(socket->socketDescriptor()), m_ownUser)) {
            refuse(socket);
            continue;
        }
        Connection &connection = m_connections[socket];
        connection.idle = new QTimer(socket);
        connection.idle->setSingleShot(true);
        connect(connection.idle, &QTimer::timeout, this, [this, socket] { refuse(socket); });
        connection.idle->start(m_idleTimeoutMs);
        connection.retry = new QTimer(socket);
        connection.retry->setInterval(retryIntervalMs);
        connect(connection.retry, &QTimer::timeout, this, [this, socket] { askAgain(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        readRequests(socket);
    }
}

// Answers every whole line that has come; the first line that is not a
// request ends the connection, and so does a line that grows too long or
// more than a client may send. A request answered "later" holds back the
// lines after it.
void InstanceServer::readRequests(QLocalSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end())
        return;
    Connection &connection = found->second;
    if (connection.waiting || connection.answering)
        return;
    QPointer<QLocalSocket> alive(socket);
    while (alive && socket->state() == QLocalSocket::ConnectedState && socket->canReadLine()) {
        const QByteArray line = socket->readLine(InstanceMessage::maxLineBytes + 2);
        connection.received += line.size();
        const std::optional<InstanceMessage::Request> request
            = line.endsWith('\n') ? InstanceMessage::decodeRequest(line) : std::nullopt;
        if (!request || connection.received > InstanceMessage::maxConnectionBytes) {
            refuse(socket);
            return;
        }
        if (!answer(socket, *request, false)) {
            if (alive && m_connections.count(socket)) {
                connection.waiting = request;
                connection.waitingSinceMs = QDateTime::currentMSecsSinceEpoch();
                connection.idle->stop();
                connection.retry->start();
            }
            return;
        }
        if (alive)
            connection.idle->start(m_idleTimeoutMs);
    }
    if (alive && socket->bytesAvailable() > InstanceMessage::maxLineBytes)
        refuse(socket);
}

// Writes the handler's answer; false when it asks to be asked again (and
// this is not the last try).
bool InstanceServer::answer(QLocalSocket *socket, const InstanceMessage::Request &request, bool lastTry)
{
    QPointer<QLocalSocket> alive(socket);
    m_connections[socket].answering = true;
    // The handler may let events run (a command that waits): this connection's
    // lines wait for it, and the socket may go meanwhile.
    const InstanceMessage::Reply reply = m_handler(request);
    if (!alive || !m_connections.count(socket))
        return true;
    m_connections[socket].answering = false;
    if (reply.later && !lastTry)
        return false;
    socket->write(InstanceMessage::encode(reply));
    socket->flush();
    return true;
}

void InstanceServer::askAgain(QLocalSocket *socket)
{
    const auto found = m_connections.find(socket);
    if (found == m_connections.end() || !found->second.waiting || found->second.answering)
        return;
    const bool lastTry = QDateTime::currentMSecsSinceEpoch() - found->second.waitingSinceMs >= m_busyWaitMs;
    const InstanceMessage::Request request = *found->second.waiting;
    if (!answer(socket, request, lastTry))
        return;
    const auto still = m_connections.find(socket);
    if (still == m_connections.end())
        return;
    still->second.waiting.reset();
    still->second.retry->stop();
    still->second.idle->start(m_idleTimeoutMs);
    readRequests(socket);
}

void InstanceServer::refuse(QLocalSocket *socket)
{
    m_connections.erase(socket);
    socket->abort();
    socket->deleteLater();
    emit connectionRefused();
}
