// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <functional>

// The kernel's IPv4 routing table as /proc/net/route shows it: a header
// line, then one route a line, fields separated by blanks, addresses in
// little-endian hexadecimal.
namespace RouteTable {

// The interfaces that carry a default route (destination and mask 0) whose
// route is up (flag RTF_UP), in table order.
QStringList defaultRouteInterfaces(QByteArrayView routeText);

// Whether a default route leads through an interface that is up.
bool hasDefaultRoute(QByteArrayView routeText, const std::function<bool(const QString &)> &interfaceUp);

// The contents of /proc/net/route; empty when it cannot be read.
QByteArray systemTable();

}  // namespace RouteTable
