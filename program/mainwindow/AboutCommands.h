// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QObject;
struct AppState;

// The library's about object (Pemberly.uAbout), created for one use: the
// about box and the tray menu's two outward links.
namespace AboutCommands {

// The about box over the program, centred on the screen, with the program's
// folder and version; the caller holds a ModalScope while it is up. False,
// with an error text, when the library gives no about object.
bool showAboutBox(AppState &state, QObject *window, QString *error = nullptr);

// The library's outward link of action (0 the maker's mail address, 1 the
// product's web page), opened by the desktop's handler.
bool sDo(QObject *window, int action, QString *error = nullptr);

}  // namespace AboutCommands
