#include "WindowHelpers.h"

#include <QScreen>
#include <QWidget>

namespace WindowHelpers {

double twipsPerPixel(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

void setTopmost(QWidget *window, bool onTop)
{
    if (!window || window->testAttribute(Qt::WA_WState_Created) == false) {
        if (window)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool visible = window->isVisible();
    // Changing the flag re-creates the native window; keep its place and size.
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->setGeometry(geometry);
    if (visible)
        window->show();
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
    window->setWindowState((window->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    window->hide();
}

} // namespace WindowHelpers
