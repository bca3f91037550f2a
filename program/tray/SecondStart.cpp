// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SecondStart.h"

#include "InstanceClient.h"
#include "ProgramPaths.h"
#include "Prompter.h"

#include <QCoreApplication>
#include <cstdio>

SecondStart::SecondStart(Prompter &prompter, const QString &socketPath)
    : m_prompter(prompter)
    , m_socketPath(socketPath)
{ }

int SecondStart::run(const QStringList &arguments)
{
    InstanceMessage::Request request;
    request.command = QStringLiteral("show");
    // A start without arguments names no file: it only asks for the window.
    if (!arguments.isEmpty())
        request.stackFile
            = ProgramPaths::stackFileOf(ProgramPaths::stackBase(ProgramPaths::stackFolder(), arguments));
    QString error;
    const std::optional<InstanceMessage::Reply> reply
        = InstanceClient(m_socketPath).ask(request, m_timeoutMs, &error);
    if (!reply) {
        report(
            QCoreApplication::translate("SecondStart", "Tessaly is running already but does not answer (%1).")
                .arg(error));
        return 1;
    }
    if (!reply->ok) {
        report(reply->error);
        return 1;
    }
    return 0;
}

void SecondStart::report(const QString &text)
{
    std::fprintf(stderr, "tessaly: %s\n", text.toLocal8Bit().constData());
    m_prompter.messageBox(text, Prompter::Buttons::Ok, Prompter::Icon::Exclamation,
                          QStringLiteral("Tessaly"));
}
