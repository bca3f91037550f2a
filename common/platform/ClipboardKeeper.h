// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ClipboardContents.h"

#include <QStringList>

// On X11 the clipboard's contents live in the program that owns it: what a
// short-lived program puts on the clipboard is gone when it ends. A keeper is
// a small process that takes the contents over and serves them until another
// program takes the clipboard (as xclip and xsel do); a clipboard manager, if
// one runs, takes them from it at once.
namespace ClipboardKeeper {

// How long handOver waits for the keeper to hold the clipboard.
constexpr int startWaitMs = 10000;

// Starts command (a program and its arguments that runs serve()) in a session
// of its own, with no terminal and nothing of this process's output, hands it
// contents and waits until it holds them (or, for empty contents, has emptied
// the clipboard). False with an error text when it could not.
bool handOver(const QStringList &command, const ClipboardContents &contents, QString *error);

// The keeper's side, in a QGuiApplication on X11: reads the contents from
// standard input (a socket to the process that handed them over), takes the
// clipboard, answers on that socket, and runs until another program takes the
// clipboard. Returns the exit status.
int serve();

}  // namespace ClipboardKeeper
