// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceClient.h"

#include "PeerCredentials.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace {

constexpr int retryIntervalMs = 100;

bool connectUntil(QLocalSocket &socket, const QString &path, const QDeadlineTimer &deadline)
{
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMax<qint64>(deadline.remainingTime(), 1))))
            return true;
        if (deadline.remainingTime() < retryIntervalMs)
            return false;
        QThread::msleep(retryIntervalMs);
    }
}

std::optional<QByteArray> readLineUntil(QLocalSocket &socket, const QDeadlineTimer &deadline)
{
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > InstanceMessage::maxLineBytes || deadline.hasExpired())
            return std::nullopt;
        // A reply may come with the end of the connection.
        if (!socket.waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 1))) && !socket.canReadLine())
            return std::nullopt;
    }
    return socket.readLine(InstanceMessage::maxLineBytes + 2);
}

}  // namespace

InstanceClient::InstanceClient(const QString &socketPath)
    : m_path(socketPath)
{ }

std::optional<InstanceMessage::Reply> InstanceClient::ask(const InstanceMessage::Request &request,
                                                          int timeoutMs, QString *error,
                                                          const OutputSink &output) const
{
    const auto fail = [&](const QString &reason) -> std::optional<InstanceMessage::Reply> {
        if (error)
            *error = QStringLiteral("%1: %2").arg(m_path, reason);
        return std::nullopt;
    };
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    const QDeadlineTimer connectDeadline(m_connectTimeoutMs < 0 ? timeoutMs
                                                                : qMin(timeoutMs, m_connectTimeoutMs));
    if (!connectUntil(socket, m_path, connectDeadline))
        return fail(socket.errorString());
    if (!PeerCredentials::isOwnUser(PeerCredentials::userOf(socket.socketDescriptor()), ::geteuid()))
        return fail(QCoreApplication::translate("InstanceClient", "the socket belongs to another user"));
    socket.write(InstanceMessage::encode(request));
    if (!socket.waitForBytesWritten(int(qMax<qint64>(deadline.remainingTime(), 1)))
        && socket.bytesToWrite() > 0)
        return fail(socket.errorString());
    std::optional<QByteArray> line = readLineUntil(socket, deadline);
    // Output lines, then the reply.
    while (line) {
        const std::optional<InstanceMessage::Output> printed = InstanceMessage::decodeOutput(*line);
        if (!printed)
            break;
        if (output)
            output(*printed);
        line = readLineUntil(socket, deadline);
    }
    if (!line)
        return fail(
            socket.state() == QLocalSocket::ConnectedState
                ? QCoreApplication::translate("InstanceClient", "no answer in time")
                : QCoreApplication::translate("InstanceClient", "the connection was closed unanswered"));
    std::optional<InstanceMessage::Reply> reply = InstanceMessage::decodeReply(*line);
    if (!reply)
        return fail(QCoreApplication::translate("InstanceClient", "the answer is not understood"));
    return reply;
}
