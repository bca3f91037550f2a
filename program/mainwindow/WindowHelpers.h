// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QMenu;
class QPoint;
class QWidget;
struct AppState;

// Placing windows and keeping the main window's stacking order right while
// prompts and dialogs are up.
namespace WindowHelpers {

// Twips (1/1440 inch) per pixel of the screen a widget is on: 15 at 96 dpi.
double twipsPerPixel(const QWidget *widget);

// Keeps a window above all others (or not) without moving or sizing it, then
// re-applies the tray window's rule (see setTrayWindow).
void setTopmost(QWidget *window, bool onTop);

// The tray window (the floating button) is topmost exactly while the program
// is online and its "always on top" setting (iAOT) is on; every setTopmost
// applies that rule again. Null while there is no tray window.
void setTrayWindow(QWidget *trayWindow, const AppState *state);
bool trayWindowTopmost(const AppState &state);

// Centres a window over another.
void centerOverMain(QWidget *window, const QWidget *mainWindow);

// Hides a window (withdrawn from the screen, not minimised by the window
// system); it is shown again from the tray.
void hideMainWindow(QWidget *window);

// Whether a window is on the screen: shown, not minimised, and mapped by the
// window system. The widget's own visible flag alone can be wrong: a window
// taken off the screen from outside the program still counts itself visible.
bool isOnScreen(const QWidget *window);

// Shows a pop-up menu, unless all its commands are hidden.
void popUp(QMenu *menu, const QPoint &globalPos);

} // namespace WindowHelpers
