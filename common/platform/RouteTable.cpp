// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RouteTable.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr uint routeUp = 0x1;  // RTF_UP
enum Field { Iface = 0, Destination = 1, Flags = 3, Mask = 7, FieldCount = 8 };

bool isZeroAddress(const QByteArray &hex)
{
    bool ok = false;
    return hex.toUInt(&ok, 16) == 0 && ok;
}

bool isUpDefaultRoute(const QList<QByteArray> &fields)
{
    bool ok = false;
    const uint flags = fields.at(Flags).toUInt(&ok, 16);
    return ok && (flags & routeUp) && isZeroAddress(fields.at(Destination)) && isZeroAddress(fields.at(Mask));
}

}  // namespace

namespace RouteTable {

QStringList defaultRouteInterfaces(QByteArrayView routeText)
{
    QStringList interfaces;
    const QList<QByteArray> lines = routeText.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {  // line 0 is the header
        const QList<QByteArray> fields = lines.at(i).simplified().split(' ');
        if (fields.size() >= FieldCount && isUpDefaultRoute(fields))
            interfaces.append(QString::fromLocal8Bit(fields.at(Iface)));
    }
    return interfaces;
}

bool hasDefaultRoute(QByteArrayView routeText, const std::function<bool(const QString &)> &interfaceUp)
{
    const QStringList interfaces = defaultRouteInterfaces(routeText);
    return std::any_of(interfaces.cbegin(), interfaces.cend(), interfaceUp);
}

QByteArray systemTable()
{
    QFile file(QStringLiteral("/proc/net/route"));
    // A file of /proc reports no size: read it to its end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace RouteTable
