// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PemberlyFactory.h"

#include <QObject>

// The root object of libpemberly.so: QPluginLoader's instance(), which
// creates the library's classes for the component registry.
class PemberlyPlugin : public QObject, public PemberlyFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PemberlyFactory_iid)
    Q_INTERFACES(PemberlyFactory)

public:
    QString libraryName() const override;
    QStringList classNames() const override;
    QObject *create(const QString &className, QObject *parent) override;
};
