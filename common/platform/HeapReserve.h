// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Preparing the heap of a short-lived process that is about to fill a large
// part of it at once (a whole store loaded by tsy).
namespace HeapReserve {

// Grows the C library's heap once by about bytes and asks the kernel to back
// up to 64 MiB of it with huge pages (transparent huge pages in "madvise"
// mode), so that filling it with many small blocks takes one page fault per
// 2 MiB instead of one per 4 KiB; at 100,000 entries that is most of the
// load's time in the kernel. Freed memory then stays in the process for
// reuse until it ends. Does nothing for small sizes, without the GNU C
// library, or where the heap cannot grow; the kernel may ignore the advice.
void reserveInHugePages(qint64 bytes);

// For a thread that is about to fill much of its own heap (the C library
// gives each thread that allocates much an arena of its own, of up to
// 64 MiB): asks the kernel to back that arena with huge pages too.
void adviseThreadHeap();

}  // namespace HeapReserve
