#include "PemberlyPlugin.h"

#include "gConfig.h"

QString PemberlyPlugin::libraryName() const
{
    return QStringLiteral("Pemberly");
}

QStringList PemberlyPlugin::classNames() const
{
    return {QStringLiteral("gConfig")};
}

QObject *PemberlyPlugin::create(const QString &className, QObject *parent)
{
    if (className == QLatin1String("gConfig"))
        return new gConfig(parent);
    return nullptr;
}
