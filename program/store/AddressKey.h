// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

// The key under which two addresses count as the same page.
//
// A web address (http or https, with a host) is normalised by these
// differences only, and by nothing else: the scheme (http and https are one,
// in any case), the case of the host's ASCII letters, a leading "www." before
// a name that holds a dot, the default port of the scheme written (80 for
// http, 443 for https), an empty path or one trailing "/", the fragment, and
// the tracking parameters utm_*, fbclid, gclid and mc_eid (the other
// parameters stay, in their order). The case of the path, percent-encoding,
// user names, other ports and IDN hosts are left as written, so that unlike
// pages are never taken for one. Any other address (no scheme, file:,
// mailto:, a damaged one) is its own key, so only the very same text matches
// it; an empty address has no key.
namespace AddressKey {

// The key; empty for an empty address.
QString of(QStringView address);
// The same into key, whose room is reused (for many addresses in a row).
void write(QStringView address, QString &key);
// hashOfKey(of(address)), without allocating the key.
quint64 hashOf(QStringView address);
// A 64-bit hash of a key's code units.
quint64 hashOfKey(QStringView key);

}  // namespace AddressKey
