// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The scanning loops of FastXmlReader and XmlText: the end of a run of
// plain bytes, sixteen bytes at a step while sixteen are left, then one at a
// time through a table.
namespace XmlByteScan {

enum class Run {
    Text,       // text: ends at '<', '&', ']', a control character but tab and line feed, a byte beyond ASCII
    Value,      // an attribute value: at '<', '&', '"', '\'', every control character, a byte beyond ASCII
    Chars,      // a comment, instruction or CDATA: at the stop byte, a control character but a blank, beyond ASCII
    TextUnits,  // text made a string: at a control character but tab and line feed, beyond ASCII
    ValueUnits  // a value made a string: at '&', every control character, beyond ASCII
};

using ByteSet = std::array<bool, 256>;

// The bytes that go on a run of the class (for Chars, but its stop byte).
constexpr ByteSet plainBytes(Run run)
{
    ByteSet set {};
    for (int c = 0x20; c < 0x80; ++c) {
        switch (run) {
        case Run::Text:
            set[c] = c != '<' && c != '&' && c != ']';
            break;
        case Run::Value:
            set[c] = c != '<' && c != '&' && c != '"' && c != '\'';
            break;
        case Run::ValueUnits:
            set[c] = c != '&';
            break;
        case Run::Chars:
        case Run::TextUnits:
            set[c] = true;
            break;
        }
    }
    if (run == Run::Text || run == Run::TextUnits || run == Run::Chars)
        set['\t'] = set['\n'] = true;
    if (run == Run::Chars)
        set['\r'] = true;
    return set;
}

template <Run run>
inline constexpr ByteSet plain = plainBytes(run);

// What a name may start with (ASCII letters and '_'), and go on with (also digits, '.' and '-').
inline constexpr ByteSet nameStartBytes = [] {
    ByteSet set {};
    for (int c = 0; c < 256; ++c)
        set[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    return set;
}();
inline constexpr ByteSet nameBytes = [] {
    ByteSet set = nameStartBytes;
    for (int c = '0'; c <= '9'; ++c)
        set[c] = true;
    set['.'] = set['-'] = true;
    return set;
}();

#ifdef __SSE2__
inline __m128i lanesOf(__m128i bytes, char c)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

// A bit for each of the sixteen bytes that ends a run.
template <Run run>
int stopsIn(__m128i bytes, char stop)
{
    // Compared as signed bytes, those beyond ASCII are below 0x20 too.
    __m128i ends = _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20));
    if constexpr (run != Run::Value && run != Run::ValueUnits) {
        __m128i blanks = _mm_or_si128(lanesOf(bytes, '\t'), lanesOf(bytes, '\n'));
        if constexpr (run == Run::Chars)
            blanks = _mm_or_si128(blanks, lanesOf(bytes, '\r'));
        ends = _mm_andnot_si128(blanks, ends);
    }
    if constexpr (run == Run::Text)
        ends = _mm_or_si128(ends, _mm_or_si128(lanesOf(bytes, '<'), _mm_or_si128(lanesOf(bytes, '&'), lanesOf(bytes, ']'))));
    if constexpr (run == Run::Value)
        ends = _mm_or_si128(ends, _mm_or_si128(_mm_or_si128(lanesOf(bytes, '<'), lanesOf(bytes, '&')),
                                               _mm_or_si128(lanesOf(bytes, '"'), lanesOf(bytes, '\''))));
    if constexpr (run == Run::ValueUnits)
        ends = _mm_or_si128(ends, lanesOf(bytes, '&'));
    if constexpr (run == Run::Chars)
        ends = _mm_or_si128(ends, lanesOf(bytes, stop));
    return _mm_movemask_epi8(ends);
}
#endif

// The first byte from p on that ends a run of the class (stop: Chars' own
// stop byte); end when there is none.
template <Run run>
const char *endOfRun(const char *p, const char *end, char stop = '\0')
{
#ifdef __SSE2__
    while (end - p >= 16) {
        if (const int ends = stopsIn<run>(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), stop))
            return p + __builtin_ctz(unsigned(ends));
        p += 16;
    }
#endif
    while (p < end && plain<run>[uchar(*p)] && (run != Run::Chars || *p != stop))
        ++p;
    return p;
}

// The first byte from p on that cannot go on a name (an ASCII letter or
// digit, '.', '-', '_'); end when there is none.
inline const char *endOfName(const char *p, const char *end)
{
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const auto within = [](__m128i lanes, char low, char high) {
            return _mm_and_si128(_mm_cmpgt_epi8(lanes, _mm_set1_epi8(char(low - 1))),
                                 _mm_cmplt_epi8(lanes, _mm_set1_epi8(char(high + 1))));
        };
        // Beyond ASCII is negative, below every range.
        const __m128i letters = within(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 'a', 'z');
        const __m128i marks = _mm_or_si128(lanesOf(bytes, '_'), within(bytes, '-', '.'));
        const int names = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(letters, marks), within(bytes, '0', '9')));
        if (names != 0xffff)
            return p + __builtin_ctz(unsigned(~names));
        p += 16;
    }
#endif
    while (p < end && nameBytes[uchar(*p)])
        ++p;
    return p;
}

}  // namespace XmlByteScan
