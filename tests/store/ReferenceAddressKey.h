// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

// The address key as first written: plain, one step at a time, with a new
// string per key. The tests hold the fast AddressKey to it, so that a fast
// path that makes another key for some address is caught.
namespace ReferenceAddressKey {
namespace detail {

// The two kinds of key start differently, so that no address kept as it is
// can meet a normalised one.
constexpr QChar normalisedMark = u'\x01';
constexpr QChar verbatimMark = u'\x02';

inline bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The length of a scheme ending in ":" at the start of the address; 0 for none.
inline qsizetype schemeLength(QStringView address)
{
    if (address.isEmpty() || !isAsciiLetter(address.front()))
        return 0;
    for (qsizetype i = 1; i < address.size(); ++i) {
        const QChar c = address[i];
        if (c == u':')
            return i;
        if (!isAsciiLetter(c) && !c.isDigit() && c != u'+' && c != u'-' && c != u'.')
            return 0;
    }
    return 0;
}

inline bool isDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

inline void appendAsciiLower(QString &out, QStringView text)
{
    for (QChar c : text)
        out += (c >= u'A' && c <= u'Z') ? QChar(c.unicode() | 0x20) : c;
}

inline bool isTrackingParameter(QStringView parameter)
{
    const qsizetype equals = parameter.indexOf(u'=');
    const QStringView name = equals < 0 ? parameter : parameter.first(equals);
    return name.startsWith(u"utm_") || name == u"fbclid" || name == u"gclid" || name == u"mc_eid";
}

// Appends the host (lower case, without "www.") and the port unless it is the default one.
// False when there is no host.
inline bool appendHostAndPort(QString &out, QStringView hostPort, QStringView defaultPort)
{
    QStringView host = hostPort;
    QStringView port;
    const qsizetype colon = hostPort.lastIndexOf(u':');
    const qsizetype bracket = hostPort.lastIndexOf(u']');
    if (colon >= 0 && colon > bracket) {
        host = hostPort.first(colon);
        port = hostPort.sliced(colon + 1);
    }
    if (host.size() > 4 && host.first(4).compare(u"www.", Qt::CaseInsensitive) == 0
        && host.sliced(4).contains(u'.'))
        host = host.sliced(4);
    if (host.isEmpty())
        return false;
    appendAsciiLower(out, host);
    if (colon >= 0 && colon > bracket && !(isDigits(port) && port == defaultPort)) {
        out += u':';
        out += port;
    }
    return true;
}

inline void appendQuery(QString &out, QStringView query)
{
    if (query.isEmpty()) {
        out += u'?';
        return;
    }
    bool first = true;
    for (QStringView parameter : query.tokenize(u'&')) {
        if (isTrackingParameter(parameter))
            continue;
        out += first ? u'?' : u'&';
        out += parameter;
        first = false;
    }
}

inline QString verbatim(QStringView address)
{
    QString key;
    key.reserve(address.size() + 1);
    key += verbatimMark;
    key += address;
    return key;
}

}  // namespace detail

// The key, as AddressKey::of() makes it.
inline QString of(QStringView address)
{
    if (address.isEmpty())
        return QString();
    const qsizetype schemeEnd = detail::schemeLength(address);
    const QStringView scheme = address.first(schemeEnd);
    const bool http = scheme.compare(u"http", Qt::CaseInsensitive) == 0;
    if ((!http && scheme.compare(u"https", Qt::CaseInsensitive) != 0)
        || !address.sliced(schemeEnd).startsWith(u"://"))
        return detail::verbatim(address);

    QStringView rest = address.sliced(schemeEnd + 3);
    const qsizetype fragment = rest.indexOf(u'#');
    if (fragment >= 0)
        rest = rest.first(fragment);
    qsizetype authorityEnd = 0;
    while (authorityEnd < rest.size() && rest[authorityEnd] != u'/' && rest[authorityEnd] != u'?')
        ++authorityEnd;
    const QStringView authority = rest.first(authorityEnd);
    const qsizetype at = authority.lastIndexOf(u'@');
    const qsizetype queryStart = rest.indexOf(u'?', authorityEnd);
    QStringView path = rest.sliced(authorityEnd, (queryStart < 0 ? rest.size() : queryStart) - authorityEnd);
    if (path.endsWith(u'/'))
        path.chop(1);

    QString key;
    key.reserve(address.size() + 8);
    key += detail::normalisedMark;
    if (at >= 0)
        key += authority.first(at + 1);
    if (!detail::appendHostAndPort(key, authority.sliced(at + 1), http ? u"80" : u"443"))
        return detail::verbatim(address);
    key += path;
    if (queryStart >= 0)
        detail::appendQuery(key, rest.sliced(queryStart + 1));
    return key;
}

}  // namespace ReferenceAddressKey
