// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What another start of the program (and any other local client) asks the
// running program over its socket, and the answer: one JSON object on one
// line each way, UTF-8, ending in LF. Members a side does not know are passed
// over, so that requests and replies can grow; "version" changes only when
// a member changes its meaning.
//
// Version 2 adds the request "tsy": a tsy command line run by the program on
// its live store. Its answer may be long: what the command printed comes
// first, in output lines ({"out":BASE64} or {"err":BASE64}, bytes as
// printed, each line short), then the reply line, which carries "status".
namespace InstanceMessage {

inline constexpr int version = 2;
// A longer line is not a message: the connection is dropped.
inline constexpr qsizetype maxLineBytes = 64 * 1024;
// What a client may send on one connection in all; more drops it.
inline constexpr qint64 maxConnectionBytes = 1024 * 1024;
// The bytes of printed output one output line carries at most (base64 makes
// four characters of three bytes: well below maxLineBytes).
inline constexpr qsizetype outputPieceBytes = 32 * 1024;

struct Request
{
    int version = InstanceMessage::version;
    // "show": show the main window; "tsy": run arguments as a tsy command
    // line (from version 2).
    QString command;
    // The stack file the asking start names, as an absolute path; "" when it
    // names none. For "tsy", the command's FILE.
    QString stackFile;
    // For "tsy": the command's name and its arguments, paths made absolute.
    QStringList arguments;
};

struct Reply
{
    bool ok = false;
    // Why the request was refused, for the user; "" when ok.
    QString error;
    // The running program's default stack file.
    QString stackFile;
    // For "tsy": the command's exit status once the program has taken the
    // request on (ran it, or refused it while busy); none when the program
    // leaves the command to tsy (it does not hold FILE).
    std::optional<int> status;
    // For "tsy": what the command printed to its standard output and error,
    // sent in output lines before the reply line.
    QByteArray out;
    QByteArray err;
    // Not sent: the program is busy and asks to be asked again shortly (see
    // InstanceServer); when it has waited long enough the reply goes as it is.
    bool later = false;
};

// One output line: a piece of what a command printed.
struct Output
{
    bool toError = false;  // standard error, else standard output
    QByteArray bytes;
};

QByteArray encode(const Request &request);
// The output lines (none when nothing was printed) and the reply line.
QByteArray encode(const Reply &reply);

// The message of one line (its LF may be there or not); nothing for a line
// that is not one: not JSON, not an object, or a member of the wrong type.
std::optional<Request> decodeRequest(const QByteArray &line);
std::optional<Reply> decodeReply(const QByteArray &line);
std::optional<Output> decodeOutput(const QByteArray &line);

}  // namespace InstanceMessage
