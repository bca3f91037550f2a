// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InstanceRequests.h"

#include "AppState.h"
#include "InstanceServer.h"
#include "LiveStoreRequests.h"
#include "ProgramPaths.h"
#include "TrayWindow.h"

#include <QDir>
#include <QFileInfo>

InstanceRequests::InstanceRequests(TrayWindow &tray, AppState &state, QObject *parent)
    : QObject(parent)
    , m_tray(tray)
    , m_state(state)
    , m_liveStore(new LiveStoreRequests(tray, state, this))
    , m_server(new InstanceServer([this](const InstanceMessage::Request &request) { return answer(request); },
                                  this))
{ }

bool InstanceRequests::listen(const QString &socketPath, QString *error)
{
    return m_server->listen(socketPath, error);
}

InstanceMessage::Reply InstanceRequests::answer(const InstanceMessage::Request &request)
{
    InstanceMessage::Reply reply;
    reply.stackFile = ProgramPaths::stackFileOf(m_state.stackBase);
    if (request.version > InstanceMessage::version) {
        reply.error
            = tr("The running Tessaly does not understand requests of version %1.").arg(request.version);
        return reply;
    }
    if (request.command == QStringLiteral("tsy"))
        return m_liveStore->answer(request);
    if (request.command != QStringLiteral("show")) {
        reply.error = tr("The running Tessaly does not know the request \"%1\".").arg(request.command);
        return reply;
    }
    if (!request.stackFile.isEmpty() && !sameFile(request.stackFile, reply.stackFile)) {
        reply.error = tr("Tessaly is running already, with the bookmarks of %1. Only one Tessaly runs per "
                         "user, with one store, so %2 cannot be opened in another. Open it in the running "
                         "Tessaly (\"Open As\" in the main window's File menu), or end that one (\"Unload\") "
                         "and start again.")
                          .arg(reply.stackFile, request.stackFile);
        return reply;
    }
    if (m_tray.hasEnded()) {
        reply.error = tr("Tessaly is ending: start it again in a moment.");
        return reply;
    }
    m_tray.showMainWindow();
    reply.ok = true;
    return reply;
}

bool InstanceRequests::sameFile(const QString &first, const QString &second)
{
    const QFileInfo a(first);
    const QFileInfo b(second);
    const QString canonicalA = a.canonicalFilePath();
    const QString canonicalB = b.canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}
