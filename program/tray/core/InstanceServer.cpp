// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceServer.h"

#include "PeerCredentials.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>
#include <utility>

InstanceServer::InstanceServer(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_server(new QLocalServer(this))
    , m_ownUser(::geteuid())
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptConnections);
}

InstanceServer::~InstanceServer() = default;

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
        if (!PeerCredentials::isOwnUser(PeerCredentials::userOf(socket->socketDescriptor()), m_ownUser)) {
            refuse(socket);
            continue;
        }
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, this, [this, socket] { refuse(socket); });
        idle->start(m_idleTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, idle] {
            idle->start(m_idleTimeoutMs);
            readRequests(socket);
        });
        readRequests(socket);
    }
}

// Answers every whole line that has come; the first line that is not a
// request ends the connection, and so does a line that grows too long.
void InstanceServer::readRequests(QLocalSocket *socket)
{
    while (socket->state() == QLocalSocket::ConnectedState && socket->canReadLine()) {
        const QByteArray line = socket->readLine(InstanceMessage::maxLineBytes + 2);
        const std::optional<InstanceMessage::Request> request
            = line.endsWith('\n') ? InstanceMessage::decodeRequest(line) : std::nullopt;
        if (!request) {
            refuse(socket);
            return;
        }
        socket->write(InstanceMessage::encode(m_handler(*request)));
        socket->flush();
    }
    if (socket->bytesAvailable() > InstanceMessage::maxLineBytes)
        refuse(socket);
}

void InstanceServer::refuse(QLocalSocket *socket)
{
    socket->abort();
    socket->deleteLater();
    emit connectionRefused();
}
