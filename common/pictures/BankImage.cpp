// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BankImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

QImage read(const QString &path)
{
    QImageReader reader(path);  // by content, whatever the extension says
    return reader.read();
}

}  // namespace

BankImage::BankImage(const QString &path)
    : m_single(read(path))
{
    if (!m_single.isNull())
        m_double = read(doubleSizePath(path));
}

QString BankImage::doubleSizePath(const QString &path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return base + QStringLiteral("@2x") + (suffix.isEmpty() ? QString() : u'.' + suffix);
}

QPixmap BankImage::pixmap(qreal devicePixelRatio) const
{
    return pixmap(size(), devicePixelRatio);
}

QPixmap BankImage::pixmap(QSize size, qreal devicePixelRatio) const
{
    if (isNull() || size.isEmpty())
        return QPixmap();
    const bool useDouble = devicePixelRatio > 1 && hasDoubleSize();
    const QImage &form = useDouble ? m_double : m_single;
    const int ratio = useDouble ? 2 : 1;
    const QSize pixels = size * ratio;
    QPixmap picture = QPixmap::fromImage(
        form.size() == pixels ? form : form.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QIcon BankImage::icon() const
{
    QIcon icon;
    if (isNull())
        return icon;
    icon.addPixmap(pixmap(1));
    if (hasDoubleSize())
        icon.addPixmap(pixmap(2));
    return icon;
}
