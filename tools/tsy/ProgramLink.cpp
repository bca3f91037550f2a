// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProgramLink.h"

#include "InstanceClient.h"
#include "InstancePaths.h"

#include <QIODevice>
#include <QLockFile>
#include <functional>
#include <cerrno>
#include <signal.h>

namespace {

// Where the program's lock and socket are, without Qt's warnings on the
// runtime folder: they are the program's to give.
void quietly(const std::function<void()> &work)
{
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    work();
    qInstallMessageHandler(previous);
}

void write(QTextStream &stream, const QByteArray &bytes)
{
    stream.flush();
    if (QIODevice *device = stream.device())
        device->write(bytes);
    else
        stream << QString::fromUtf8(bytes);
}

}  // namespace

bool ProgramLink::programRuns(const QString &lockFile)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (!QLockFile(lockFile).getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

std::optional<int> ProgramLink::run(const QString &file, const QStringList &commandLine, QTextStream &out,
                                    QTextStream &err)
{
    QString lockFile;
    QString socket;
    quietly([&] {
        lockFile = InstancePaths::lockFile();
        socket = InstancePaths::socket();
    });
    if (!programRuns(lockFile))
        return std::nullopt;
    InstanceMessage::Request request;
    request.command = QStringLiteral("tsy");
    request.stackFile = file;
    request.arguments = commandLine;
    InstanceClient client(socket);
    client.setConnectTimeout(connectTimeoutMs);
    bool printed = false;
    QString error;
    const std::optional<InstanceMessage::Reply> reply
        = client.ask(request, answerTimeoutMs, &error, [&](const InstanceMessage::Output &output) {
              printed = true;
              write(output.toError ? err : out, output.bytes);
          });
    const QString prefix = QStringLiteral("tsy %1: ").arg(commandLine.value(0));
    if (!reply && printed) {
        err << prefix << "the running Tessaly stopped answering (" << error << ")\n";
        err.flush();
        return 1;
    }
    // No answer, or one of a program that does not run tsy commands: the
    // command goes to the file, whose lock says whether it may be changed.
    if (!reply || !reply->status)
        return std::nullopt;
    if (!reply->error.isEmpty()) {
        err << prefix << reply->error << '\n';
        err.flush();
    }
    out.flush();
    return *reply->status;
}
