// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowHelpers.h"

#include "AppState.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace WindowHelpers {

namespace {

QPointer<QWidget> trayWindow;
const AppState *trayState = nullptr;

void applyTopmost(QWidget *window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags through the widget would re-create the native window
    // (a flicker, and its place measured by the frame instead of the client
    // area); change the native window's flags in place instead.
    if (QWindow *native = window->windowHandle()) {
        window->overrideWindowFlags(flags);
        native->setFlags(flags);
        return;
    }
    const QRect geometry = window->geometry();
    window->setWindowFlags(flags);
    window->setGeometry(geometry);
}

}  // namespace

double twipsPerPixel(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void setTopmost(QWidget *window, bool onTop)
{
    applyTopmost(window, onTop);
    if (trayState)
        applyTopmost(trayWindow, trayWindowTopmost(*trayState));
}

void setTrayWindow(QWidget *window, const AppState *state)
{
    trayWindow = window;
    trayState = window ? state : nullptr;
}

bool trayWindowTopmost(const AppState &state)
{
    return state.isOnline && state.settings.iAOT;
}

void centerOverMain(QWidget *window, const QWidget *mainWindow)
{
    if (!window || !mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    window->move(main.left() + (main.width() - window->width()) / 2,
                 main.top() + (main.height() - window->height()) / 2);
}

void hideMainWindow(QWidget *window)
{
    if (!window)
        return;
    // Withdrawn only, not minimised on the way: a window manager asked to
    // iconify a window that is then withdrawn may keep the iconic state and
    // apply it at the window's next map, minimising (and so hiding) it again
    // as the tray shows it.
    window->hide();
}

bool isOnScreen(const QWidget *window)
{
    if (!window || !window->isVisible() || window->isMinimized())
        return false;
    const QWindow *native = window->windowHandle();
    return native && native->isExposed();
}

void popUp(QMenu *menu, const QPoint &globalPos)
{
    // A menu whose commands are all hidden is not shown: an empty pop-up
    // would stay open, laid out empty, when its commands come back.
    const QList<QAction *> actions = menu->actions();
    if (std::none_of(actions.begin(), actions.end(),
                     [](const QAction *action) { return action->isVisible() && !action->isSeparator(); }))
        return;
    menu->popup(globalPos);
}

} // namespace WindowHelpers
