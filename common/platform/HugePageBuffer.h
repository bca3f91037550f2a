// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Room for a large file read whole and let go soon after: memory mapped
// anew and, with transparent huge pages in "madvise" mode, backed by huge
// pages up to 64 MiB of it (see HeapReserve for the limit), so that reading
// into it takes one page fault per 2 MiB instead of one per 4 KiB. Given
// back when the object ends. Null when the memory cannot be had.
class HugePageBuffer
{
public:
    explicit HugePageBuffer(qint64 size);
    ~HugePageBuffer();
    HugePageBuffer(const HugePageBuffer &) = delete;
    HugePageBuffer &operator=(const HugePageBuffer &) = delete;

    bool isNull() const { return m_data == nullptr; }
    char *data() const { return m_data; }

private:
    char *m_data = nullptr;
    void *m_mapping = nullptr;
    size_t m_mapped = 0;
};
