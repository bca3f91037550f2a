// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddressKey.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include <QVarLengthArray>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The two kinds of key start differently, so that no address kept as it is
// can meet a normalised one.
constexpr char16_t normalisedMark = u'\x01';
constexpr char16_t verbatimMark = u'\x02';

constexpr QStringView httpPort = u"80";
constexpr QStringView httpsPort = u"443";

#ifdef __SSE2__
// Two bits for each of the eight code units at units that is a, b or c.
unsigned matchMask(const char16_t *units, __m128i a, __m128i b, __m128i c)
{
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units));
    return unsigned(_mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(loaded, a), _mm_cmpeq_epi16(loaded, b)), _mm_cmpeq_epi16(loaded, c))));
}
#endif

// The first of a, b and c in [from, end), or end; eight code units at a
// step where SSE2 is there. The text from floor to end may be read, so that
// the last step can read the eight units before end instead of going one by
// one.
const char16_t *firstOf(const char16_t *floor, const char16_t *from, const char16_t *end, char16_t a, char16_t b,
                        char16_t c)
{
#ifdef __SSE2__
    const __m128i wantA = _mm_set1_epi16(short(a));
    const __m128i wantB = _mm_set1_epi16(short(b));
    const __m128i wantC = _mm_set1_epi16(short(c));
    for (; end - from >= 8; from += 8) {
        if (const unsigned mask = matchMask(from, wantA, wantB, wantC))
            return from + std::countr_zero(mask) / 2;
    }
    if (from == end)
        return end;
    if (end - floor >= 8) {
        const char16_t *const last = end - 8;
        const unsigned before = unsigned(from - last);  // units of the step already looked at
        const unsigned mask = matchMask(last, wantA, wantB, wantC) & ~((1u << (2 * before)) - 1);
        return mask != 0 ? last + std::countr_zero(mask) / 2 : end;
    }
#else
    Q_UNUSED(floor);
#endif
    for (; from != end; ++from) {
        if (*from == a || *from == b || *from == c)
            return from;
    }
    return end;
}

// Where the parts of an address after "scheme://" end: the authority ends
// at the first "/", "?" or "#", the query starts at the first "?" after it,
// and everything from the first "#" (after the query, if any) is the
// fragment.
struct Parts
{
    qsizetype authorityEnd;
    qsizetype queryStart;  // the "?"; -1 for no query
    qsizetype end;         // the "#", or the end, when there is no query
    qsizetype at;          // the last "@" of the authority; -1 for none
    qsizetype colon;       // the last ":" of the authority; -1 for none
    qsizetype bracket;     // the last "]" of the authority; -1 for none
    bool capitals;         // whether the authority holds an ASCII capital
};

// Notes the last "@", ":" and "]" of the authority [from, end) and whether
// it holds a capital, in one pass (eight units at a step where SSE2 is
// there; the text from floor may be read).
void markAuthority(Parts &parts, const char16_t *floor, const char16_t *from, const char16_t *end)
{
    const char16_t *const text = from;
    const auto note = [&parts, text](const char16_t *at, char16_t c) {
        if (c == u'@')
            parts.at = at - text;
        else if (c == u':')
            parts.colon = at - text;
        else if (c == u']')
            parts.bracket = at - text;
        else if (c >= u'A' && c <= u'Z')
            parts.capitals = true;
    };
#ifdef __SSE2__
    if (end - floor >= 8 && from != end) {
        const __m128i atSign = _mm_set1_epi16(short(u'@'));
        const __m128i colon = _mm_set1_epi16(short(u':'));
        const __m128i bracket = _mm_set1_epi16(short(u']'));
        const __m128i beforeA = _mm_set1_epi16(short(u'A' - 1));
        const __m128i afterZ = _mm_set1_epi16(short(u'Z' + 1));
        while (from != end) {
            // The last step reads the eight units before end, skipping those already
            // looked at and any before the authority.
            const char16_t *const step = end - from >= 8 ? from : end - 8;
            const unsigned skip = (1u << (2 * unsigned(from - step))) - 1;
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(step));
            const __m128i capital = _mm_and_si128(_mm_cmpgt_epi16(units, beforeA), _mm_cmplt_epi16(units, afterZ));
            const unsigned marks = unsigned(_mm_movemask_epi8(_mm_or_si128(
                                       _mm_or_si128(_mm_cmpeq_epi16(units, atSign), _mm_cmpeq_epi16(units, colon)),
                                       _mm_or_si128(_mm_cmpeq_epi16(units, bracket), capital))))
                & ~skip;
            for (unsigned m = marks; m != 0; m &= ~(3u << (2 * (std::countr_zero(m) / 2)))) {
                const int unit = std::countr_zero(m) / 2;
                note(step + unit, step[unit]);
            }
            from = step + 8;
        }
        return;
    }
#endif
    for (const char16_t *c = from; c != end; ++c)
        note(c, *c);
}

Parts partsOf(QStringView rest, const char16_t *floor)
{
    const char16_t *const text = rest.utf16();
    const char16_t *const end = text + rest.size();
    Parts parts {rest.size(), -1, rest.size(), -1, -1, -1, false};
    const char16_t *const authorityEnd = firstOf(floor, text, end, u'/', u'?', u'#');
    parts.authorityEnd = authorityEnd - text;
    markAuthority(parts, floor, text, authorityEnd);
    const char16_t *const mark = firstOf(floor, authorityEnd, end, u'?', u'#', u'#');
    if (mark != end && *mark == u'?')
        parts.queryStart = mark - text;  // where the query ends, putQuery finds
    else
        parts.end = mark - text;
    return parts;
}

bool isTrackingParameter(QStringView parameter)
{
    static constexpr QStringView utm = u"utm_";
    static constexpr QStringView others[] = {u"fbclid", u"gclid", u"mc_eid"};
    const char16_t first = parameter.isEmpty() ? 0 : parameter.front().unicode();
    if (first != u'u' && first != u'f' && first != u'g' && first != u'm')
        return false;
    qsizetype nameEnd = 0;
    while (nameEnd < parameter.size() && parameter[nameEnd] != u'=')
        ++nameEnd;
    const QStringView name = parameter.first(nameEnd);
    return name.startsWith(utm) || std::find(std::begin(others), std::end(others), name) != std::end(others);
}

char16_t lowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c | 0x20) : c;
}

// Writes a key's code units into room that holds them.
class KeyWriter
{
public:
    explicit KeyWriter(char16_t *start) : m_start(start), m_out(start) {}
    void put(char16_t c) { *m_out++ = c; }
    // Pieces are short: copied eight units at a step and the rest by moves
    // that overlap the end, in place of a call to the library's memcpy,
    // which costs more than the copy here.
    void put(QStringView text)
    {
        const char16_t *const from = text.utf16();
        const qsizetype size = text.size();
        if (size >= 8) {
            for (qsizetype i = 0; i < size - 8; i += 8)
                std::memcpy(m_out + i, from + i, 16);
            std::memcpy(m_out + size - 8, from + size - 8, 16);
        } else if (size >= 4) {
            std::memcpy(m_out, from, 8);
            std::memcpy(m_out + size - 4, from + size - 4, 8);
        } else if (size >= 2) {
            std::memcpy(m_out, from, 4);
            std::memcpy(m_out + size - 2, from + size - 2, 4);
        } else if (size == 1) {
            *m_out = *from;
        }
        m_out += size;
    }
    void putLower(QStringView text)
    {
        m_out = std::transform(text.utf16(), text.utf16() + text.size(), m_out, lowerAscii);
    }
    void restart() { m_out = m_start; }
    qsizetype size() const { return m_out - m_start; }

private:
    char16_t *m_start;
    char16_t *m_out;
};

// Puts the host (ASCII letters in lower case, without a leading "www."
// before a name with a dot) and the port unless it is the default one.
// colon is where the port's ":" is in hostPort (-1 for no port); capitals
// says whether the host may hold ASCII capitals. False when there is no host.
template<typename Out>
bool putHostAndPort(Out &out, QStringView hostPort, qsizetype colon, bool capitals, QStringView defaultPort)
{
    const QStringView host = colon >= 0 ? hostPort.first(colon) : hostPort;
    QStringView name = host;
    if (name.size() > 4 && (name[0].unicode() | 0x20) == u'w' && (name[1].unicode() | 0x20) == u'w'
        && (name[2].unicode() | 0x20) == u'w' && name[3] == u'.'
        && std::find(name.utf16() + 4, name.utf16() + name.size(), u'.') != name.utf16() + name.size())
        name = name.sliced(4);
    if (name.isEmpty())
        return false;
    if (capitals)
        out.putLower(name);
    else
        out.put(name);
    if (colon >= 0) {
        const QStringView port = hostPort.sliced(colon + 1);
        if (port != defaultPort) {
            out.put(u':');
            out.put(port);
        }
    }
    return true;
}

// Puts "?" and the parameters of the query (from after its "?" up to the
// first "#" or the end of rest) that are not for tracking, in their order;
// nothing when there are none but such (an empty query stays "?").
template<typename Out>
void putQuery(Out &out, QStringView rest, const char16_t *floor)
{
    const char16_t *const end = rest.utf16() + rest.size();
    const char16_t *start = rest.utf16();
    bool first = true;
    for (;;) {
        const char16_t *const parameterEnd = firstOf(floor, start, end, u'&', u'#', u'#');
        const QStringView parameter(start, parameterEnd - start);
        const bool last = parameterEnd == end || *parameterEnd == u'#';
        if (last && first && parameter.isEmpty()) {
            out.put(u'?');
            return;
        }
        if (!isTrackingParameter(parameter)) {
            out.put(first ? u'?' : u'&');
            out.put(parameter);
            first = false;
        }
        if (last)
            return;
        start = parameterEnd + 1;
    }
}

// The length of "http://" or "https://" (in any case) at the start of the
// address; 0 for any other start.
qsizetype webPrefixLength(QStringView address, bool *https)
{
    static constexpr char16_t http[] = u"http";
    if (address.size() < 7)
        return 0;
    for (qsizetype i = 0; i < 4; ++i) {
        if ((address[i].unicode() | 0x20) != http[i])
            return 0;
    }
    *https = (address[4].unicode() | 0x20) == u's';
    const qsizetype colon = *https ? 5 : 4;
    return address.size() >= colon + 3 && address[colon] == u':' && address[colon + 1] == u'/'
            && address[colon + 2] == u'/'
        ? colon + 3
        : 0;
}

// Puts the normalised key of a web address; false when the address is not
// one (what was put is then to be dropped).
template<typename Out>
bool putNormalised(Out &out, QStringView address)
{
    bool https = false;
    const qsizetype prefix = webPrefixLength(address, &https);
    if (prefix == 0)
        return false;
    const QStringView rest = address.sliced(prefix);
    const Parts parts = partsOf(rest, address.utf16());
    const QStringView authority = rest.first(parts.authorityEnd);
    const qsizetype pathEnd = parts.queryStart >= 0 ? parts.queryStart : parts.end;
    QStringView path = rest.sliced(parts.authorityEnd, std::max<qsizetype>(0, pathEnd - parts.authorityEnd));
    if (path.endsWith(u'/'))
        path.chop(1);

    out.put(normalisedMark);
    if (parts.at >= 0)
        out.put(authority.first(parts.at + 1));
    // A ":" after the user part and after any "]" of an IPv6 address starts the port.
    const qsizetype colon = parts.colon > parts.at && parts.colon > parts.bracket ? parts.colon - parts.at - 1 : -1;
    if (!putHostAndPort(out, authority.sliced(parts.at + 1), colon, parts.capitals, https ? httpsPort : httpPort))
        return false;
    out.put(path);
    if (parts.queryStart >= 0)
        putQuery(out, rest.sliced(parts.queryStart + 1), address.utf16());
    return true;
}

// Puts the key of a non-empty address.
template<typename Out>
void putKey(Out &out, QStringView address)
{
    if (putNormalised(out, address))
        return;
    out.restart();
    out.put(verbatimMark);
    out.put(address);
}

}  // namespace

namespace AddressKey {

QString of(QStringView address)
{
    QString key;
    write(address, key);
    return key;
}

void write(QStringView address, QString &key)
{
    if (address.isEmpty()) {
        key.truncate(0);
        return;
    }
    // A key is never longer than its address and its mark.
    key.resize(address.size() + 1);
    KeyWriter writer(reinterpret_cast<char16_t *>(key.data()));
    putKey(writer, address);
    key.truncate(writer.size());
}

quint64 hashOf(QStringView address)
{
    if (address.isEmpty())
        return hashOfKey({});
    // The key is written into room on the stack (for all but very long
    // addresses) and hashed in one go: cheaper than hashing its pieces as
    // they come.
    QVarLengthArray<char16_t, 1024> room(address.size() + 1);
    KeyWriter writer(room.data());
    putKey(writer, address);
    return hashOfKey(QStringView(room.data(), writer.size()));
}

quint64 hashOfKey(QStringView key)
{
    // Four code units to a 64-bit word, mixed into two lanes by turns (so
    // that the two multiplications of a step do not wait for each other),
    // the last word filled up with zeros; then the length.
    const auto mix = [](quint64 hash, quint64 word) {
        hash = (hash ^ word) * 0xbf58476d1ce4e5b9ULL;
        return hash ^ (hash >> 31);
    };
    quint64 even = 0x9e3779b97f4a7c15ULL;
    quint64 odd = 0x94d049bb133111ebULL;
    const char16_t *units = key.utf16();
    const char16_t *const end = units + key.size();
    for (; end - units >= 8; units += 8) {
        quint64 words[2];
        std::memcpy(words, units, 16);
        even = mix(even, words[0]);
        odd = mix(odd, words[1]);
    }
    if (units != end) {
        quint64 words[2] = {0, 0};
        std::memcpy(words, units, size_t(end - units) * 2);
        even = mix(even, words[0]);
        odd = mix(odd, words[1]);
    }
    return mix(even ^ std::rotl(odd, 32), quint64(key.size()));
}

}  // namespace AddressKey
