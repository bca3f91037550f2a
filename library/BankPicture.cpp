// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BankPicture.h"

#include "BankImage.h"

#include <QFileInfo>

namespace BankPicture {

QPixmap load(const QString &appPath, const QString &name, qreal devicePixelRatio)
{
    if (appPath.isEmpty())
        return QPixmap();
    const QString fileName = QStringLiteral("/uBank/") + name + QStringLiteral(".bnk");
    QString path = appPath + fileName;
    if (!QFileInfo::exists(path))
        path = appPath + QStringLiteral("/../share/tessaly") + fileName;
    return BankImage(path).pixmap(devicePixelRatio);
}

}  // namespace BankPicture
