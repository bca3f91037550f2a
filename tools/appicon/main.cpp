// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's icon for the desktop's icon theme: the floating
// button's face when the main window is loaded (uBank/id.bnk, drawn by
// bankpictures), a white bookmark ribbon on blue, without the drag grip.
// Writes the PNG pictures of every theme size and a scalable SVG of the same
// shapes. Usage: appicon OUTDIR (OUTDIR/hicolor/SIZExSIZE/apps/NAME.png and
// OUTDIR/hicolor/scalable/apps/NAME.svg).
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <cstdio>

namespace {

const QString iconName = QStringLiteral("org.orvane.Tessaly");
constexpr int sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The shapes, in a 32 × 32 square, the size of the floating button; the
// colours are the loaded button's.
constexpr qreal unit = 32.0;
const QRectF body(1.5, 1.5, 29.0, 29.0);
constexpr qreal bodyRadius = 6.5;
const QColor fillTop(0x5a, 0x9c, 0xf0);
const QColor fillBottom(0x25, 0x67, 0xc4);
const QColor border(0x1b, 0x4f, 0x9a);
const QColor glyph(0xff, 0xff, 0xff);

// The bookmark ribbon of the button, larger: a band with a V notch cut into
// its lower end, centred on the face.
QPainterPath ribbon()
{
    const qreal left = 10.0, top = 6.5, width = 12.0, height = 20.0, notch = 5.5, corner = 1.5;
    QPainterPath path;
    path.moveTo(left, top + corner);
    path.quadTo(left, top, left + corner, top);
    path.lineTo(left + width - corner, top);
    path.quadTo(left + width, top, left + width, top + corner);
    path.lineTo(left + width, top + height);
    path.lineTo(left + width / 2, top + height - notch);
    path.lineTo(left, top + height);
    path.closeSubpath();
    return path;
}

QImage picture(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / unit, size / unit);
    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0, fillTop);
    fill.setColorAt(1, fillBottom);
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, bodyRadius, bodyRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    painter.drawPath(ribbon());
    return image;
}

QString number(qreal value)
{
    return QString::number(value, 'g', 6);
}

// The path as SVG path data; quadratic pieces are cubic in a QPainterPath.
QString pathData(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            parts << QStringLiteral("M%1 %2").arg(number(element.x), number(element.y));
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(number(element.x), number(element.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element second = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(element.x), number(element.y), number(second.x), number(second.y),
                              number(end.x), number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return parts.join(u' ') + QStringLiteral(" Z");
}

QByteArray svg()
{
    const QString text
        = QStringLiteral(
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
              "  <defs>\n"
              "    <linearGradient id=\"face\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%2\" x2=\"0\" "
              "y2=\"%3\">\n"
              "      <stop offset=\"0\" stop-color=\"%4\"/>\n"
              "      <stop offset=\"1\" stop-color=\"%5\"/>\n"
              "    </linearGradient>\n"
              "  </defs>\n")
              .arg(number(unit), number(body.top()), number(body.bottom()), fillTop.name(), fillBottom.name())
        + QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"url(#face)\" "
                         "stroke=\"%6\" stroke-width=\"1\"/>\n")
              .arg(number(body.left()), number(body.top()), number(body.width()), number(body.height()),
                   number(bodyRadius), border.name())
        + QStringLiteral("  <path d=\"%1\" fill=\"%2\"/>\n").arg(pathData(ribbon()), glyph.name())
        + QStringLiteral("</svg>\n");
    return text.toUtf8();
}

bool write(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(contents) == contents.size())
        return true;
    std::fprintf(stderr, "appicon: cannot write %s\n", qPrintable(path));
    return false;
}

bool save(const QImage &image, const QString &path)
{
    if (QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "appicon: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: appicon OUTDIR\n");
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    bool ok = write(theme + QStringLiteral("scalable/apps/") + iconName + QStringLiteral(".svg"), svg());
    for (const int size : sizes)
        ok = save(picture(size),
                  theme + QStringLiteral("%1x%1/apps/").arg(size) + iconName + QStringLiteral(".png"))
            && ok;
    return ok ? 0 : 1;
}
