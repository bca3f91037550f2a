#include "gConfig.h"

#include <QMetaObject>

gConfig::gConfig(QObject *parent)
    : QObject(parent)
{ }

void gConfig::applyCurrent()
{
    emit ApplyCurrent();
}

QString gConfig::findCurrentVersion() const
{
    if (!m_frmMe)
        return QString();
    QString path;  // stays empty when the host has no such procedure
    QMetaObject::invokeMethod(m_frmMe, "gcfg_findCurrentVersion", Qt::DirectConnection,
                              Q_RETURN_ARG(QString, path), Q_ARG(QString, QStringLiteral("TESSALY.EXE")),
                              Q_ARG(QString, QString()));
    return path;
}
