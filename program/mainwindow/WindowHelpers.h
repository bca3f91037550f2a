#pragma once

#include <QString>

class QWidget;

// Placing windows and keeping the main window's stacking order right while
// prompts and dialogs are up.
namespace WindowHelpers {

// Twips (1/1440 inch) per pixel of the screen a widget is on: 15 at 96 dpi.
double twipsPerPixel(const QWidget *widget);

// Keeps a window above all others (or not) without moving or sizing it.
void setTopmost(QWidget *window, bool onTop);

// Centres a window over another.
void centerOverMain(QWidget *window, const QWidget *mainWindow);

// Hides a window and leaves it minimised; it is shown again from the tray.
void hideMainWindow(QWidget *window);

} // namespace WindowHelpers
