// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ModalDialog.h"

#include "WindowHelpers.h"

#include <QDialog>
#include <QPointer>

namespace WindowHelpers {

namespace {

constexpr double belowTopTwips = 500.0;

}  // namespace

int showModalOnTop(QDialog &dialog, QWidget *mainWindow)
{
    // The main window may go away while the dialog runs (the program ending).
    const QPointer<QWidget> main(mainWindow);
    const bool wasOnTop = main && main->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    setTopmost(main, false);
    const int result = dialog.exec();
    if (main)
        setTopmost(main, wasOnTop);
    return result;
}

void placeBelowMainTop(QWidget *window, const QWidget *mainWindow)
{
    if (!window || !mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    window->move(main.left(), main.top() + qRound(belowTopTwips / twipsPerPixel(mainWindow)));
}

Qt::WindowFlags fixedDialogFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

void takeMainIcon(QWidget *window, const QWidget *mainWindow)
{
    if (window && mainWindow)
        window->setWindowIcon(mainWindow->windowIcon());
}

}  // namespace WindowHelpers
