// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InstanceMessage.h"

#include <QString>
#include <functional>
#include <optional>

// The asking side of the running program's socket (see InstanceServer): one
// request, one reply, waited for. Only a program of the same user is asked.
// Output lines that come before the reply go to the output sink as they come.
class InstanceClient
{
public:
    using OutputSink = std::function<void(const InstanceMessage::Output &)>;

    explicit InstanceClient(const QString &socketPath);

    // How long connecting is tried; the whole timeout when not set.
    void setConnectTimeout(int milliseconds) { m_connectTimeoutMs = milliseconds; }

    // Sends the request and waits for the reply. A program that has only
    // just started may not listen yet: connecting is tried again until
    // timeoutMs have passed. Nothing, with the reason in error, when no
    // reply comes.
    std::optional<InstanceMessage::Reply> ask(const InstanceMessage::Request &request, int timeoutMs,
                                              QString *error = nullptr, const OutputSink &output = {}) const;

private:
    QString m_path;
    int m_connectTimeoutMs = -1;
};
