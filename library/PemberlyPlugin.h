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
