// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddressKey.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// The two kinds of key start differently, so that no address kept as it is
// can meet a normalised one.
constexpr char16_t normalisedMark = u'\x01';
constexpr char16_t verbatimMark = u'\x02';

constexpr QStringView httpPort = u"80";
constexpr QStringView httpsPort = u"443";

// Where the parts of an address after "scheme://" end: the authority ends
// at the first "/" or "?", the query starts at the first "?" after it, and
// everything from the first "#" is the fragment. Only the short authority is
// walked; the long rest is searched with QStringView's vectorised search.
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
    const qsizetype size = rest.size();
    Parts parts {size, -1, size, -1};
    qsizetype i = 0;
    for (; i < size; ++i) {
        const char16_t c = text[i];
        if (c == u'/' || c == u'?' || c == u'#')
            break;
        if (c == u'@')
            parts.at = i;
    }
    parts.authorityEnd = i;
    if (i == size)
        return parts;
    const QStringView after = rest.sliced(i);
    const qsizetype fragment = after.indexOf(u'#');
    if (fragment >= 0)
        parts.end = i + fragment;
    const qsizetype query = after.first(parts.end - i).indexOf(u'?');
    if (query >= 0)
        parts.queryStart = i + query;
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
        qsizetype end = start;
        while (end < size && text[end] != u'&')
            ++end;
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
