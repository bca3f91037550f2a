// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AddressKey.h"

#include <algorithm>

namespace {

// The two kinds of key start differently, so that no address kept as it is
// can meet a normalised one.
constexpr char16_t normalisedMark = u'\x01';
constexpr char16_t verbatimMark = u'\x02';

constexpr QStringView httpPort = u"80";
constexpr QStringView httpsPort = u"443";
constexpr QStringView www = u"www.";

// Where the parts of an address after "scheme://" end: the authority ends
// at the first "/" or "?", the query starts at the first "?", and everything
// from the first "#" is the fragment. The long parts are searched with
// QStringView's vectorised search; only the short authority is walked.
struct Parts
{
    qsizetype authorityEnd;
    qsizetype queryStart;  // the "?"; -1 for no query
    qsizetype end;         // the "#", or the end
    qsizetype at;          // the last "@" of the authority; -1 for none
};

Parts partsOf(QStringView rest)
{
    const qsizetype fragment = rest.indexOf(u'#');
    Parts parts {-1, -1, fragment < 0 ? rest.size() : fragment, -1};
    const QStringView before = rest.first(parts.end);
    for (qsizetype i = 0; i < before.size() && parts.authorityEnd < 0; ++i) {
        const char16_t c = before[i].unicode();
        if (c == u'/' || c == u'?')
            parts.authorityEnd = i;
        else if (c == u'@')
            parts.at = i;
    }
    if (parts.authorityEnd < 0)
        parts.authorityEnd = parts.end;
    parts.queryStart = before.indexOf(u'?', parts.authorityEnd);
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

// Writes text from out on; returns the end.
char16_t *put(char16_t *out, QStringView text)
{
    return std::copy(text.utf16(), text.utf16() + text.size(), out);
}

// Writes the host (ASCII letters in lower case, without a leading "www."
// before a name with a dot) and the port unless it is the default one.
// nullptr when there is no host.
char16_t *putHostAndPort(char16_t *out, QStringView hostPort, QStringView defaultPort)
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
    if (host.size() > 4 && host.first(4).compare(www, Qt::CaseInsensitive) == 0
        && host.sliced(4).contains(u'.'))
        host = host.sliced(4);
    if (host.isEmpty())
        return nullptr;
    for (QChar c : host)
        *out++ = c.unicode() >= u'A' && c.unicode() <= u'Z' ? char16_t(c.unicode() | 0x20) : c.unicode();
    if (hasPort && port != defaultPort) {
        *out++ = u':';
        out = put(out, port);
    }
    return out;
}

// Writes "?" and the parameters that are not for tracking, in their order;
// nothing when there are none but such (an empty query stays "?").
char16_t *putQuery(char16_t *out, QStringView query)
{
    if (query.isEmpty()) {
        *out++ = u'?';
        return out;
    }
    bool first = true;
    qsizetype start = 0;
    while (start <= query.size()) {
        qsizetype end = query.indexOf(u'&', start);
        if (end < 0)
            end = query.size();
        const QStringView parameter = query.sliced(start, end - start);
        if (!isTrackingParameter(parameter)) {
            *out++ = first ? u'?' : u'&';
            out = put(out, parameter);
            first = false;
        }
        start = end + 1;
    }
    return out;
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

// The normalised key of a web address at out (room for the address and one
// more); nullptr when the address is not one.
char16_t *putNormalised(char16_t *out, QStringView address)
{
    bool https = false;
    const qsizetype prefix = webPrefixLength(address, &https);
    if (prefix == 0)
        return nullptr;
    const QStringView rest = address.sliced(prefix);
    const Parts parts = partsOf(rest);
    const QStringView authority = rest.first(parts.authorityEnd);
    const qsizetype pathEnd = parts.queryStart >= 0 ? parts.queryStart : parts.end;
    QStringView path = rest.sliced(parts.authorityEnd, std::max<qsizetype>(0, pathEnd - parts.authorityEnd));
    if (path.endsWith(u'/'))
        path.chop(1);

    *out++ = normalisedMark;
    if (parts.at >= 0)
        out = put(out, authority.first(parts.at + 1));
    out = putHostAndPort(out, authority.sliced(parts.at + 1), https ? httpsPort : httpPort);
    if (!out)
        return nullptr;
    out = put(out, path);
    if (parts.queryStart >= 0)
        out = putQuery(out, rest.sliced(parts.queryStart + 1, parts.end - parts.queryStart - 1));
    return out;
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
    char16_t *const start = reinterpret_cast<char16_t *>(key.data());
    char16_t *end = putNormalised(start, address);
    if (!end) {
        start[0] = verbatimMark;
        end = put(start + 1, address);
    }
    key.truncate(end - start);
}

}  // namespace AddressKey
