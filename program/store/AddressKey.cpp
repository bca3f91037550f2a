// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddressKey.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

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

// The first of a, b and c in [from, end), or end; eight code units at a
// step where SSE2 is there.
const char16_t *firstOf(const char16_t *from, const char16_t *end, char16_t a, char16_t b, char16_t c)
{
#ifdef __SSE2__
    const __m128i wantA = _mm_set1_epi16(short(a));
    const __m128i wantB = _mm_set1_epi16(short(b));
    const __m128i wantC = _mm_set1_epi16(short(c));
    for (; end - from >= 8; from += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        const __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, wantA), _mm_cmpeq_epi16(units, wantB)),
                                           _mm_cmpeq_epi16(units, wantC));
        const unsigned mask = unsigned(_mm_movemask_epi8(found));
        if (mask != 0)
            return from + std::countr_zero(mask) / 2;
    }
#endif
    for (; from != end; ++from) {
        if (*from == a || *from == b || *from == c)
            return from;
    }
    return end;
}

// Where the parts of an address after "scheme://" end: the authority ends
// at the first "/", "?" or "#", the query starts at the first "?" after it,
// and everything from the first "#" is the fragment.
struct Parts
{
    qsizetype authorityEnd;
    qsizetype queryStart;  // the "?"; -1 for no query
    qsizetype end;         // the "#", or the end
    qsizetype at;          // the last "@" of the authority; -1 for none
};

Parts partsOf(QStringView rest)
{
    const char16_t *const text = rest.utf16();
    const char16_t *const end = text + rest.size();
    Parts parts {rest.size(), -1, rest.size(), -1};
    const char16_t *const authorityEnd = firstOf(text, end, u'/', u'?', u'#');
    parts.authorityEnd = authorityEnd - text;
    for (const char16_t *c = authorityEnd; c != text;) {
        if (*--c == u'@') {
            parts.at = c - text;
            break;
        }
    }
    const char16_t *const mark = firstOf(authorityEnd, end, u'?', u'#', u'#');
    if (mark != end && *mark == u'?') {
        parts.queryStart = mark - text;
        parts.end = firstOf(mark + 1, end, u'#', u'#', u'#') - text;
    } else {
        parts.end = mark - text;
    }
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
    void put(QStringView text) { m_out = std::copy(text.utf16(), text.utf16() + text.size(), m_out); }
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

// Hashes a key's code units as they come, four to a 64-bit word, so that the
// hash of the pieces is that of their concatenation (hashOfKey's).
class KeyHasher
{
public:
    void put(char16_t c)
    {
        m_word |= quint64(c) << (16 * m_filled);
        ++m_length;
        if (++m_filled == 4)
            flush();
    }
    void put(QStringView text)
    {
        const char16_t *units = text.utf16();
        const char16_t *const end = units + text.size();
        // Four units at a step; those waiting in m_word go first, and the
        // step's last ones wait in their place.
        const int shift = 16 * m_filled;
        for (; end - units >= 4; units += 4) {
            quint64 word;
            std::memcpy(&word, units, 8);
            m_length += 4;
            if (shift == 0) {
                mix(word);
            } else {
                mix(m_word | (word << shift));
                m_word = word >> (64 - shift);
            }
        }
        while (units != end)
            put(*units++);
    }
    // The text with ASCII capitals in lower case.
    void putLower(QStringView text)
    {
        char16_t lower[64];
        while (!text.isEmpty()) {
            const qsizetype size = std::min<qsizetype>(text.size(), std::size(lower));
            for (qsizetype i = 0; i < size; ++i)
                lower[i] = lowerAscii(text.utf16()[i]);
            put(QStringView(lower, size));
            text = text.sliced(size);
        }
    }
    void restart() { *this = KeyHasher(); }
    quint64 result()
    {
        if (m_filled != 0)
            flush();
        mix(m_length);
        return m_hash;
    }

private:
    void mix(quint64 word)
    {
        m_hash = (m_hash ^ word) * 0xbf58476d1ce4e5b9ULL;
        m_hash ^= m_hash >> 31;
    }
    void flush()
    {
        mix(m_word);
        m_word = 0;
        m_filled = 0;
    }

    quint64 m_hash = 0x9e3779b97f4a7c15ULL;
    quint64 m_word = 0;
    quint64 m_length = 0;
    int m_filled = 0;
};

// Puts the host (ASCII letters in lower case, without a leading "www."
// before a name with a dot) and the port unless it is the default one.
// False when there is no host.
template<typename Out>
bool putHostAndPort(Out &out, QStringView hostPort, QStringView defaultPort)
{
    QStringView host = hostPort;
    QStringView port;
    bool hasPort = false;
    for (qsizetype i = hostPort.size() - 1; i >= 0; --i) {
        const char16_t c = hostPort[i].unicode();
        if (c == u']')
            break;
        if (c == u':') {
            host = hostPort.first(i);
            port = hostPort.sliced(i + 1);
            hasPort = true;
            break;
        }
    }
    if (host.size() > 4 && (host[0].unicode() | 0x20) == u'w' && (host[1].unicode() | 0x20) == u'w'
        && (host[2].unicode() | 0x20) == u'w' && host[3] == u'.' && host.sliced(4).contains(u'.'))
        host = host.sliced(4);
    if (host.isEmpty())
        return false;
    out.putLower(host);
    if (hasPort && port != defaultPort) {
        out.put(u':');
        out.put(port);
    }
    return true;
}

// Puts "?" and the parameters that are not for tracking, in their order;
// nothing when there are none but such (an empty query stays "?").
template<typename Out>
void putQuery(Out &out, QStringView query)
{
    if (query.isEmpty()) {
        out.put(u'?');
        return;
    }
    bool first = true;
    const char16_t *const text = query.utf16();
    const qsizetype size = query.size();
    qsizetype start = 0;
    while (start <= size) {
        const qsizetype end = firstOf(text + start, text + size, u'&', u'&', u'&') - text;
        const QStringView parameter(text + start, end - start);
        if (!isTrackingParameter(parameter)) {
            out.put(first ? u'?' : u'&');
            out.put(parameter);
            first = false;
        }
        start = end + 1;
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
    const Parts parts = partsOf(rest);
    const QStringView authority = rest.first(parts.authorityEnd);
    const qsizetype pathEnd = parts.queryStart >= 0 ? parts.queryStart : parts.end;
    QStringView path = rest.sliced(parts.authorityEnd, std::max<qsizetype>(0, pathEnd - parts.authorityEnd));
    if (path.endsWith(u'/'))
        path.chop(1);

    out.put(normalisedMark);
    if (parts.at >= 0)
        out.put(authority.first(parts.at + 1));
    if (!putHostAndPort(out, authority.sliced(parts.at + 1), https ? httpsPort : httpPort))
        return false;
    out.put(path);
    if (parts.queryStart >= 0)
        putQuery(out, rest.sliced(parts.queryStart + 1, parts.end - parts.queryStart - 1));
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
    KeyHasher hasher;
    if (!address.isEmpty())
        putKey(hasher, address);
    return hasher.result();
}

quint64 hashOfKey(QStringView key)
{
    KeyHasher hasher;
    hasher.put(key);
    return hasher.result();
}

}  // namespace AddressKey
