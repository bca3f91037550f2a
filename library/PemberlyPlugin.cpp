// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PemberlyPlugin.h"

#include "gConfig.h"
#include "mergeBrow.h"
#include "uAbout.h"

QString PemberlyPlugin::libraryName() const
{
    return QStringLiteral("Pemberly");
}

QStringList PemberlyPlugin::classNames() const
{
    return {QStringLiteral("gConfig"), QStringLiteral("mergeBrow"), QStringLiteral("uAbout")};
}

QObject *PemberlyPlugin::create(const QString &className, QObject *parent)
{
    if (className == QLatin1String("gConfig"))
        return new gConfig(parent);
    if (className == QLatin1String("mergeBrow"))
        return new mergeBrow(parent);
    if (className == QLatin1String("uAbout"))
        return new uAbout(parent);
    return nullptr;
}
