// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HugePageBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr qint64 hugePageBytes = qint64(2) << 20;
constexpr qint64 hugePageLimit = qint64(64) << 20;

}  // namespace

HugePageBuffer::HugePageBuffer(qint64 size)
{
    if (size < 0)
        return;
    // One huge page more, so that the part advised can begin on a huge page's border.
    m_mapped = size_t(size + hugePageBytes);
    m_mapping = mmap(nullptr, m_mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m_mapping == MAP_FAILED) {
        m_mapping = nullptr;
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(m_mapping);
    const std::uintptr_t aligned = (start + hugePageBytes - 1) & ~std::uintptr_t(hugePageBytes - 1);
    m_data = reinterpret_cast<char *>(aligned);
#ifdef MADV_HUGEPAGE
    const qint64 advised = std::min<qint64>(size, hugePageLimit) & ~(hugePageBytes - 1);
    if (advised > 0)
        madvise(m_data, size_t(advised), MADV_HUGEPAGE);
#endif
}

HugePageBuffer::~HugePageBuffer()
{
    if (m_mapping)
        munmap(m_mapping, m_mapped);
}
