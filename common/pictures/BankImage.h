// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// A picture of the bank folder in the forms drawn for it: NAME.bnk, one
// pixel per logical pixel, and beside it NAME@2x.bnk, twice the pixels each
// way, for high-DPI screens. A bank file is a PNG, BMP or ICO under the .bnk
// extension, read by its contents. The 1x file is the picture: without it (or
// when it cannot be read) there is none. A missing or unreadable 2x file
// leaves the 1x form to stand in at every scale.
class BankImage
{
public:
    BankImage() = default;
    // Reads the picture PATH names ("DIR/NAME.bnk") and its 2x form beside it.
    explicit BankImage(const QString &path);

    // "DIR/NAME@2x.bnk" for "DIR/NAME.bnk".
    static QString doubleSizePath(const QString &path);

    bool isNull() const { return m_single.isNull(); }
    bool hasDoubleSize() const { return !m_double.isNull(); }
    // In logical pixels: the 1x form's size.
    QSize size() const { return m_single.size(); }

    // The picture at its own logical size for a screen of this device pixel
    // ratio: the 2x form (ratio 2) on a screen above ratio 1, else the 1x form.
    QPixmap pixmap(qreal devicePixelRatio) const;
    // The same, stretched to SIZE logical pixels.
    QPixmap pixmap(QSize size, qreal devicePixelRatio) const;
    // Both forms, for the pictures Qt sizes itself (the tray icon, a tool
    // button's icon).
    QIcon icon() const;

private:
    QImage m_single;
    QImage m_double;
};
