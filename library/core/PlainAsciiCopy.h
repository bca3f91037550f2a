// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The fast path of the bookmark writers: code units copied as bytes, eight
// at a step, while all eight are ASCII and none needs escaping; p and out
// are moved past what was copied, and the writer goes on one unit at a time
// from there. Without SSE2 nothing is copied here.
namespace PlainAsciiCopy {

#ifdef __SSE2__
// The eight units' lanes, all bits set where the unit is c.
inline __m128i lanesOf(__m128i units, char16_t c)
{
    return _mm_cmpeq_epi16(units, _mm_set1_epi16(short(c)));
}

// needsEscape(units) sets the lanes of the units that the writer escapes.
template<typename NeedsEscape>
void copy(const char16_t *&p, const char16_t *end, char *&out, NeedsEscape needsEscape)
{
    const __m128i nonAscii = _mm_set1_epi16(short(0xff80));
    while (end - p >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        // Units of zero in the upper nine bits are ASCII.
        const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(units, nonAscii), _mm_setzero_si128());
        if (_mm_movemask_epi8(_mm_andnot_si128(needsEscape(units), ascii)) != 0xffff)
            return;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(units, units));
        p += 8;
        out += 8;
    }
}
#endif

}  // namespace PlainAsciiCopy
