// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Command.h"

#include <memory>

// The tsy commands that the running program runs on its live store (see
// LiveStoreRequests): those that read or change one stack file's entries
// and groups, and the store's part of capture and open (see
// CapturedPageCommand, LiveOpenCommand). Whatever else tsy does, tsy does
// itself.
namespace LiveCommands {

// The command of that name, printing to out and err; null for any other name.
std::unique_ptr<Command> make(const QString &name, QTextStream &out, QTextStream &err);

}  // namespace LiveCommands
