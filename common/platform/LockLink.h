// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The lock links that browsers keep in their profile folders: a symbolic link
// whose target is not a file but names the process that holds the profile.
namespace LockLink {

// The link's target text as stored; "" when path is not a symbolic link.
QString target(const QString &path);

// Whether a process with this id exists (one of another user's counts).
bool processAlive(qint64 pid);

// The process id at the end of a lock text after its last separator
// ("127.0.0.1:+4242" after ':' with the '+' dropped, "host-4242" after '-');
// 0 when there is no valid id.
qint64 trailingPid(const QString &text, QChar separator);

}  // namespace LockLink
