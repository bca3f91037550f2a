// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtPlugin>

// What the library Pemberly offers to the program: the root object of the
// plugin creates the library's classes by name. A class's program identifier
// is the library's name and the class's name joined by a point
// ("Pemberly.gConfig").
class PemberlyFactory
{
public:
    virtual ~PemberlyFactory() = default;

    // The first part of the program identifiers of the library's classes.
    virtual QString libraryName() const = 0;
    // The classes that create() really makes.
    virtual QStringList classNames() const = 0;
    // A new object of one of classNames(), owned by parent (or by the caller
    // when parent is null); null for any other name.
    virtual QObject *create(const QString &className, QObject *parent) = 0;
};

#define PemberlyFactory_iid "org.orvane.Pemberly.ComponentFactory/1.0"
Q_DECLARE_INTERFACE(PemberlyFactory, PemberlyFactory_iid)
