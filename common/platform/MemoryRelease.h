// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Giving memory that the program has freed back to the system.
namespace MemoryRelease {

// The C library keeps the heap it grew for reuse, even when the blocks in it
// are free; after a large store has been freed (the tray's "Flush") this
// returns the free pages to the system so that the resident size falls
// again. Does nothing where the C library offers no such call.
void returnFreedMemory();

}  // namespace MemoryRelease
