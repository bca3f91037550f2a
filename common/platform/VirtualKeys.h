// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Windows virtual-key codes as X11 keysyms.
namespace VirtualKeys {

// The keysym of a virtual key; 0 (NoSymbol) for a key with no counterpart.
// Letters map to their lower-case keysyms, the ones a key press types
// without Shift.
quint32 keysym(quint8 virtualKey);

}  // namespace VirtualKeys
