// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PeerCredentials.h"

#include <sys/socket.h>

namespace PeerCredentials {

std::optional<uid_t> userOf(qintptr descriptor)
{
    ucred credentials {};
    socklen_t length = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0
        || length != sizeof credentials)
        return std::nullopt;
    return credentials.uid;
}

bool isOwnUser(std::optional<uid_t> peer, uid_t ownUser)
{
    return peer && *peer == ownUser;
}

}  // namespace PeerCredentials
