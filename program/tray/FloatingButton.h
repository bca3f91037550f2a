// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BankImage.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

struct AppState;

// The floating button: a 32 x 32 frameless tool window whose picture shows
// the connection state. Its right-hand part drags the window; the rest is
// the button face, which a left press presses and a right press asks for the
// tray menu. A double click asks the tray window to show or hide the main
// window. Only the program hides it: a close from outside (Alt+F4, a pager)
// is refused, since the button may be the only way back to the program.
class FloatingButton : public QWidget
{
    Q_OBJECT

public:
    static constexpr int buttonSize = 32;  // pixels, each way

    FloatingButton(const AppState &state, const QString &appFolder, QWidget *parent = nullptr);

    // Draws the button: the pressed picture when pressed is nonzero, else the
    // picture and tool tip of the connection state. The window becomes
    // 32 x 32 (logical) pixels and the picture fills it, drawn from its 2x
    // form on a high-DPI screen.
    void ButtonState(int pressed);

    // The bank name of the picture shown ("ia" to "id"), "" when none.
    QString currentPictureName() const { return m_pictureName; }

    void setTopmost(bool onTop);
    bool isTopmost() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    // Shows the button drawn for the current state.
    void showButton();
    // Hides the button, not topmost, and drops its picture.
    void hideButton();

    // The right-hand part from which the window is dragged.
    static bool isInDragArea(QPoint pos);

signals:
    // A drag of the window ended with its top-left corner here (pixels).
    void moved(QPoint topLeft);
    // A right press on the face: the tray menu at this global position.
    void menuRequested(QPoint globalPos);
    // A double click (not one made with the middle button).
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setPicture(const QString &name);
    // The picture at the window's present device pixel ratio.
    const QPixmap &shownPicture();
    void endMove();

    const AppState &m_state;
    const QString m_appFolder;
    BankImage m_image;
    QPixmap m_picture;  // m_image drawn for the ratio painted at last
    qreal m_pictureRatio = 0;
    QString m_pictureName;
    bool m_skipDblClick = false;  // the last button released was the middle one

    // A drag the window system runs: it may not report the button's release,
    // so each position the window rests at for a moment is reported, until
    // the next press or left release.
    bool m_systemMove = false;
    QTimer m_moveSettled;
    // A drag run here (where the window system cannot): the press point
    // relative to the window, while the left button is down.
    bool m_ownMove = false;
    QPoint m_grabOffset;
};
