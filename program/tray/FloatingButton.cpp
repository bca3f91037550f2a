// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FloatingButton.h"

#include "AppState.h"
#include "ProgramPaths.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

// Positions on the button are measured in twips, 15 to the pixel at 96 dpi;
// the drag area begins after 324 twips.
constexpr int twipsPerPixel = 15;
constexpr int dragAreaLeftTwips = 324;

// How long the window must rest before a system-run drag counts as ended.
constexpr int moveSettleMs = 300;

}  // namespace

FloatingButton::FloatingButton(const AppState &state, const QString &appFolder, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
    , m_state(state)
    , m_appFolder(appFolder)
{
    setObjectName(QStringLiteral("Picture1"));
    // A picture only: named for assistive technology, its tool tip saying the state.
    setAccessibleName(QStringLiteral("Tessaly"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);  // the pointer shape follows the mouse without a button held
    setFixedSize(buttonSize, buttonSize);

    m_moveSettled.setSingleShot(true);
    m_moveSettled.setInterval(moveSettleMs);
    connect(&m_moveSettled, &QTimer::timeout, this, [this] {
        if (m_systemMove)
            emit moved(pos());
    });
}

void FloatingButton::ButtonState(int pressed)
{
    QString letter;
    if (pressed) {
        letter = QStringLiteral("c");
    } else {
        QString status;
        if (!m_state.isOnline) {
            letter = QStringLiteral("a");
            status = tr("Offline");
        } else if (!m_state.hideOnClose) {
            letter = QStringLiteral("b");
            status = tr("Online: Flushed");
        } else {
            letter = QStringLiteral("d");
            status = tr("Online: Ready");
        }
        setToolTip(tr("Status: ") + status);
    }
    setPicture(QStringLiteral("i") + letter);
    setFixedSize(buttonSize, buttonSize);
    update();
}

void FloatingButton::setPicture(const QString &name)
{
    const BankImage image(ProgramPaths::bankFile(m_appFolder, name));
    if (image.isNull())
        return;  // keep the previous picture
    m_image = image;
    m_picture = QPixmap();
    m_pictureName = name;
    // Transparent parts of the picture (its rounded corners) are not part of
    // the window. The mask is in logical pixels, at every scale.
    const QPixmap logical = m_image.pixmap(QSize(buttonSize, buttonSize), 1);
    if (logical.hasAlphaChannel())
        setMask(logical.mask());
    else
        clearMask();
}

const QPixmap &FloatingButton::shownPicture()
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.isNull() || m_pictureRatio != ratio) {
        m_picture = m_image.pixmap(QSize(buttonSize, buttonSize), ratio);
        m_pictureRatio = ratio;
    }
    return m_picture;
}

void FloatingButton::setTopmost(bool onTop)
{
    if (onTop == isTopmost())
        return;
    // Changing the flags recreates the window hidden: show it again.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        show();
}

void FloatingButton::showButton()
{
    ButtonState(0);  // drawn before it appears
    show();
}

void FloatingButton::hideButton()
{
    setTopmost(false);
    hide();
    m_image = BankImage();
    m_picture = QPixmap();
    m_pictureName.clear();
    clearMask();
}

bool FloatingButton::isInDragArea(QPoint pos)
{
    return pos.x() * twipsPerPixel > dragAreaLeftTwips;
}

void FloatingButton::paintEvent(QPaintEvent *)
{
    const QPixmap &picture = shownPicture();
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), picture);
}

void FloatingButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isInDragArea(event->position().toPoint())) {
        // The window system moves the window where it can; otherwise we do.
        m_systemMove = windowHandle() && windowHandle()->startSystemMove();
        m_ownMove = !m_systemMove;
        m_grabOffset = event->globalPosition().toPoint() - pos();
        return;
    }
    m_systemMove = false;
    if (event->button() == Qt::LeftButton)
        ButtonState(-1);
    else if (event->button() == Qt::RightButton)
        emit menuRequested(event->globalPosition().toPoint());
}

void FloatingButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_ownMove && event->buttons().testFlag(Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_grabOffset);
        return;
    }
    setCursor(isInDragArea(event->position().toPoint()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void FloatingButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && (m_ownMove || m_systemMove))
        endMove();
    ButtonState(0);
    m_skipDblClick = event->button() == Qt::MiddleButton;
}

void FloatingButton::mouseDoubleClickEvent(QMouseEvent *)
{
    if (!m_skipDblClick)
        emit doubleClicked();
    ButtonState(0);
}

void FloatingButton::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (m_systemMove)
        m_moveSettled.start();
}

void FloatingButton::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void FloatingButton::endMove()
{
    m_ownMove = false;
    m_systemMove = false;
    m_moveSettled.stop();
    emit moved(pos());
}
