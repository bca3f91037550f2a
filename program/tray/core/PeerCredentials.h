// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <optional>
#include <sys/types.h>

// Who is at the other end of a local socket, as the kernel says
// (SO_PEERCRED): only programs of the user that runs this one may talk to it.
namespace PeerCredentials {

// The user id of the process that connected (or listens at) the other end of
// the connected local socket descriptor; nothing when the kernel does not say.
std::optional<uid_t> userOf(qintptr descriptor);

// Whether the peer is a program of ownUser: an unknown peer never is.
bool isOwnUser(std::optional<uid_t> peer, uid_t ownUser);

}  // namespace PeerCredentials
