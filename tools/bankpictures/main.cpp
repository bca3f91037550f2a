// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's bank pictures (PNG files with the .bnk extension):
// the floating button in its four states and the index flip button's two
// arrows, each as NAME.bnk and, for high-DPI screens, NAME@2x.bnk: the same
// shapes drawn at twice the pixels each way (not the small picture scaled
// up). Usage: bankpictures OUTDIR
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <cstdio>
#include <utility>

namespace {

constexpr int buttonSize = 32;
constexpr int arrowSize = 16;
// The floating button drags its window from x = 22 px on: the grip is drawn there.
constexpr qreal dragAreaLeft = 22.0;

struct ButtonLook
{
    QColor fillTop;
    QColor fillBottom;
    QColor border;
    QColor glyph;      // the ribbon's colour
    bool glyphFilled;  // false: only its outline
    QColor grip;
    QColor highlight;  // the top inner edge; a pressed button has a shadow there
    qreal offset;      // a pressed button's face sinks by this much
};

// A picture of SIZE logical pixels at SCALE device pixels to each.
QImage transparentImage(int size, int scale)
{
    QImage image(size * scale, size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A bookmark ribbon: a band with a V notch cut into its lower end.
QPainterPath ribbon(qreal left, qreal top, qreal width, qreal height, qreal notch)
{
    QPainterPath path;
    path.moveTo(left, top + 1.5);
    path.quadTo(left, top, left + 1.5, top);
    path.lineTo(left + width - 1.5, top);
    path.quadTo(left + width, top, left + width, top + 1.5);
    path.lineTo(left + width, top + height);
    path.lineTo(left + width / 2, top + height - notch);
    path.lineTo(left, top + height);
    path.closeSubpath();
    return path;
}

// The shapes are given in logical pixels; at scale 2 every line stays on
// whole device pixels as it does at scale 1.
QImage drawButton(const ButtonLook &look, int scale)
{
    QImage image = transparentImage(buttonSize, scale);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF body(0.5, 0.5, buttonSize - 1.0, buttonSize - 1.0);
    QLinearGradient fill(0, 0, 0, buttonSize);
    fill.setColorAt(0, look.fillTop);
    fill.setColorAt(1, look.fillBottom);
    painter.setPen(QPen(look.border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, 6, 6);

    // Light along the top edge (raised) or shadow (pressed), inside the border.
    painter.setPen(QPen(look.highlight, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(5.5, 1.5 + look.offset / 2), QPointF(buttonSize - 5.5, 1.5 + look.offset / 2));

    // The divider between the face and the drag grip.
    QColor divider = look.grip;
    divider.setAlphaF(0.35f);
    painter.setPen(QPen(divider, 1.0));
    painter.drawLine(QPointF(dragAreaLeft - 0.5, 6.5), QPointF(dragAreaLeft - 0.5, buttonSize - 6.5));

    // The drag grip: three short lines in the middle of the drag area, on
    // whole pixels so that they stay sharp.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int gripLeft = int(dragAreaLeft) + 2;
    const int sink = int(look.offset);
    for (int y : {11, 15, 19})
        painter.fillRect(gripLeft, y + sink, 5, 2, look.grip);
    painter.setRenderHint(QPainter::Antialiasing);

    // The ribbon, centred on the face; its outline runs just inside the
    // filled ribbon's edge.
    const qreal faceCentre = (dragAreaLeft - 1) / 2 + look.offset;
    if (look.glyphFilled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.glyph);
        painter.drawPath(ribbon(faceCentre - 5.5, 6.5 + look.offset, 11, 19, 5));
    } else {
        painter.setPen(QPen(look.glyph, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(ribbon(faceCentre - 4.7, 7.3 + look.offset, 9.4, 17.6, 4.5));
    }
    return image;
}

// The index flip button: a chevron pointing up (collapse) or down (expand).
QImage drawArrow(bool up, int scale)
{
    QImage image = transparentImage(arrowSize, scale);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fill(0, 0, 0, arrowSize);
    fill.setColorAt(0, QColor(0xf7, 0xf8, 0xfa));
    fill.setColorAt(1, QColor(0xe1, 0xe4, 0xe8));
    painter.setPen(QPen(QColor(0xa9, 0xb0, 0xb8), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, arrowSize - 1.0, arrowSize - 1.0), 3, 3);

    const qreal tip = up ? 5.0 : 11.0;
    const qreal base = up ? 10.0 : 6.0;
    QPainterPath chevron;
    chevron.moveTo(4.0, base);
    chevron.lineTo(8.0, tip);
    chevron.lineTo(12.0, base);
    painter.setPen(QPen(QColor(0x3c, 0x44, 0x4f), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
    return image;
}

bool save(const QImage &image, const QString &folder, const QString &name)
{
    const QString path = folder + u'/' + name + QStringLiteral(".bnk");
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "bankpictures: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bankpictures OUTDIR\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "bankpictures: cannot make %s\n", argv[1]);
        return 1;
    }

    // Offline: grey, the ribbon pale.
    const ButtonLook offline {.fillTop = QColor(0xb4, 0xb9, 0xbf),
                              .fillBottom = QColor(0x7e, 0x85, 0x8d),
                              .border = QColor(0x5f, 0x65, 0x6c),
                              .glyph = QColor(0xee, 0xf0, 0xf2),
                              .glyphFilled = true,
                              .grip = QColor(0xee, 0xf0, 0xf2),
                              .highlight = QColor(255, 255, 255, 110),
                              .offset = 0.0};
    // Online, main window flushed: pale blue, the ribbon only outlined.
    const ButtonLook flushed {.fillTop = QColor(0xee, 0xf4, 0xfd),
                              .fillBottom = QColor(0xc8, 0xdb, 0xf6),
                              .border = QColor(0x3b, 0x78, 0xcf),
                              .glyph = QColor(0x2a, 0x66, 0xbd),
                              .glyphFilled = false,
                              .grip = QColor(0x3b, 0x78, 0xcf),
                              .highlight = QColor(255, 255, 255, 200),
                              .offset = 0.0};
    // Pressed: dark blue, shaded from the top, the face sunk by a pixel.
    const ButtonLook pressed {.fillTop = QColor(0x1a, 0x45, 0x80),
                              .fillBottom = QColor(0x2d, 0x63, 0xab),
                              .border = QColor(0x12, 0x33, 0x62),
                              .glyph = QColor(0xdd, 0xe8, 0xf7),
                              .glyphFilled = true,
                              .grip = QColor(0xc3, 0xd5, 0xee),
                              .highlight = QColor(0, 0, 0, 90),
                              .offset = 1.0};
    // Online, main window loaded: bright blue, a white ribbon.
    const ButtonLook ready {.fillTop = QColor(0x5a, 0x9c, 0xf0),
                            .fillBottom = QColor(0x25, 0x67, 0xc4),
                            .border = QColor(0x1b, 0x4f, 0x9a),
                            .glyph = QColor(0xff, 0xff, 0xff),
                            .glyphFilled = true,
                            .grip = QColor(0xe4, 0xee, 0xfb),
                            .highlight = QColor(255, 255, 255, 120),
                            .offset = 0.0};

    bool ok = true;
    for (const int scale : {1, 2}) {
        const std::pair<const char *, QImage> pictures[] = {
            {"ia", drawButton(offline, scale)}, {"ib", drawButton(flushed, scale)},
            {"ic", drawButton(pressed, scale)}, {"id", drawButton(ready, scale)},
            {"b1u", drawArrow(true, scale)},    {"b1d", drawArrow(false, scale)},
        };
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        for (const auto &[name, image] : pictures)
            ok = save(image, folder, QString::fromLatin1(name) + suffix) && ok;
    }
    return ok ? 0 : 1;
}
