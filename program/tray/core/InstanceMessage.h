// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What another start of the program (and any other local client) asks the
// running program over its socket, and the answer: one JSON object on one
// line each way, UTF-8, ending in LF. Members a side does not know are passed
// over, so that requests and replies can grow; "version" changes only when
// a member changes its meaning.
namespace InstanceMessage {

inline constexpr int version = 1;
// A longer line is not a message: the connection is dropped.
inline constexpr qsizetype maxLineBytes = 64 * 1024;

struct Request
{
    int version = InstanceMessage::version;
    // "show": show the main window.
    QString command;
    // The stack file the asking start names, as an absolute path; "" when it names none.
    QString stackFile;
};

struct Reply
{
    bool ok = false;
    // Why the request was refused, for the user; "" when ok.
    QString error;
    // The running program's default stack file.
    QString stackFile;
};

QByteArray encode(const Request &request);
QByteArray encode(const Reply &reply);

// The message of one line (its LF may be there or not); nothing for a line
// that is not one: not JSON, not an object, or a member of the wrong type.
std::optional<Request> decodeRequest(const QByteArray &line);
std::optional<Reply> decodeReply(const QByteArray &line);

}  // namespace InstanceMessage
