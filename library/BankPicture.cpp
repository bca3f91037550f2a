// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BankPicture.h"

#include <QFileInfo>
#include <QImageReader>

namespace BankPicture {

QPixmap load(const QString &appPath, const QString &name)
{
    if (appPath.isEmpty())
        return QPixmap();
    const QString fileName = QStringLiteral("/uBank/") + name + QStringLiteral(".bnk");
    QString path = appPath + fileName;
    if (!QFileInfo::exists(path))
        path = appPath + QStringLiteral("/../share/tessaly") + fileName;
    QImageReader reader(path);  // by content, whatever the extension says
    return QPixmap::fromImage(reader.read());
}

}  // namespace BankPicture
