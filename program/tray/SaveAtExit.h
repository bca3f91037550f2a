// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class TrayWindow;

// The program's saves when the process ends without the program's end. Qt's
// X11 platform ends the process with exit() when the display connection is
// lost (the X session ended), without returning to main: while a SaveAtExit
// is alive, such an exit runs the tray window's saveAtExit(), which writes
// what the program's end writes without touching the display. The object
// goes before the windows do, so an exit after that saves nothing.
class SaveAtExit
{
public:
    explicit SaveAtExit(TrayWindow &tray);
    ~SaveAtExit();
    SaveAtExit(const SaveAtExit &) = delete;
    SaveAtExit &operator=(const SaveAtExit &) = delete;

private:
    static void run();
};
