// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeapReserve.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ with the GNU C library
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace HeapReserve {

void reserveInHugePages(qint64 bytes)
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr qint64 hugePageBytes = qint64(2) << 20;
    if (bytes < 4 * hugePageBytes)
        return;
    const int pad = int(std::min<qint64>(bytes, INT_MAX / 2));
    // The next growth of the heap adds pad bytes more than asked for, and
    // free memory at its top is not handed back while it is less than twice
    // that, so the reserve is not given back at the first free.
    mallopt(M_TRIM_THRESHOLD, 2 * pad);
    mallopt(M_TOP_PAD, pad);
    char *const start = static_cast<char *>(sbrk(0));
    // Blocks below the size that the C library maps on its own, until one of
    // them makes the heap grow (the top of the heap may have some room left).
    std::vector<void *> probes;
    while (sbrk(0) == start && probes.size() < 64)
        probes.push_back(std::malloc(32 * 1024));
    for (void *probe : probes)
        std::free(probe);
    char *const end = static_cast<char *>(sbrk(0));
    const auto alignedStart = reinterpret_cast<char *>(
        (reinterpret_cast<std::uintptr_t>(start) + hugePageBytes - 1) & ~std::uintptr_t(hugePageBytes - 1));
    // Only the first part of a large reserve: a huge page that the kernel has
    // to take from memory not used for a while can cost far more than its 512
    // small pages (in a virtual machine that hands free memory back to its
    // host, the host has to provide it again), so beyond this the reserve
    // keeps small pages, and a store of a million entries is not made slower
    // on its first load.
    constexpr qint64 hugePageLimit = qint64(64) << 20;
    const qint64 advised = std::min<qint64>(end - alignedStart, hugePageLimit) & ~(hugePageBytes - 1);
    if (advised >= hugePageBytes)
        madvise(alignedStart, size_t(advised), MADV_HUGEPAGE);
#else
    Q_UNUSED(bytes);
#endif
}

void adviseThreadHeap()
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    // The C library's arenas other than the main one are heaps of 64 MiB
    // each, aligned to their size: a block of this thread's arena lies in
    // the heap that begins at its address rounded down.
    constexpr std::uintptr_t heapBytes = std::uintptr_t(64) << 20;
    void *const probe = std::malloc(64);
    const auto heap = reinterpret_cast<std::uintptr_t>(probe) & ~(heapBytes - 1);
    if (probe && static_cast<char *>(probe) >= static_cast<char *>(sbrk(0)))  // not in the main heap
        madvise(reinterpret_cast<void *>(heap), heapBytes, MADV_HUGEPAGE);
    std::free(probe);
#endif
}

}  // namespace HeapReserve
