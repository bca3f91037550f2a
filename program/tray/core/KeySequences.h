// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SyntheticKeys.h"

// The fixed key sequences that the capture and the launch send to a
// browser's window, by Windows virtual-key code: each key pressed in order
// and released in reverse.
namespace KeySequences {

constexpr quint8 vkEnter = 0x0D;
constexpr quint8 vkControl = 0x11;
constexpr quint8 vkAlt = 0x12;
constexpr quint8 vkEscape = 0x1B;

// Alt+D: selects the address bar.
QList<SyntheticKeys::KeyEvent> sendAltD();
// Enter.
QList<SyntheticKeys::KeyEvent> sendEnter();
// Ctrl+V: pastes.
QList<SyntheticKeys::KeyEvent> sendCtrlV();
// Ctrl+C: copies.
QList<SyntheticKeys::KeyEvent> sendCtrlC();
// Escape: leaves the address bar after copying, giving the page its focus back.
QList<SyntheticKeys::KeyEvent> sendEscape();

}  // namespace KeySequences
