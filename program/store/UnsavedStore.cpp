#include "UnsavedStore.h"

#include "StackFile.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace UnsavedStore {

QString keep(URLBlock &store)
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tessaly");
    QDir().mkpath(folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString path = folder + QStringLiteral("/unsaved-") + stamp + QStringLiteral(".tsy");
    return StackFile::saveStackFile(store, path) ? path : QString();
}

} // namespace UnsavedStore
