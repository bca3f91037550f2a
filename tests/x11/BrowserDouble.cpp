// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser double: a small program of ours that stands in for a browser
// on a test X server. Options:
//   --title T          the page title (window title "T<suffix>")
//   --url U            the address in the address bar
//   --record FILE      where each navigation's address is appended
//   --suffix S         the browser's title suffix (" — Mozilla Firefox")
//   --instance I, --class C   WM_CLASS ("Navigator", "firefox-esr")
//   --extra-windows    also the windows of DoubleWindows.h
// It prints "ready" once its windows are shown.

#include "BrowserDoubleWindow.h"
#include "DoubleWindows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

namespace {

// Windows made directly with Xlib, so that their name properties hold
// exactly the bytes that a test wants (Qt would write proper UTF-8).
// Marks a mapped window minimised the way a window manager that keeps such
// windows mapped does; after the window manager has taken the window in, so
// that it does not set the state anew.
void stateHidden(Display *display, ::Window window)
{
    QTimer::singleShot(500, [display, window] {
        const Atom hidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char *>(&hidden), 1);
        XFlush(display);
    });
}

void showRawWindows(Display *display)
{
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    const long pid = getpid();
    for (const DoubleWindows::RawWindow &raw : DoubleWindows::rawWindows) {
        const ::Window window
            = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 60, 0, 0, 0);
        const bool ewmh = qstrcmp(raw.type, "UTF8_STRING") == 0;
        const Atom property = ewmh ? XInternAtom(display, "_NET_WM_NAME", False) : XA_WM_NAME;
        XChangeProperty(display, window, property, XInternAtom(display, raw.type, False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(raw.name.constData()), int(raw.name.size()));
        XChangeProperty(display, window, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&pid), 1);
        XClassHint hint {const_cast<char *>("raw"), const_cast<char *>(raw.className)};
        XSetClassHint(display, window, &hint);
        XMapWindow(display, window);
        if (qstrcmp(raw.className, "RawStateHidden") == 0)
            stateHidden(display, window);
    }
    XFlush(display);
}

}  // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    for (const char *name : {"title", "url", "record", "suffix", "instance", "class"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    parser.addOption(QCommandLineOption(QStringLiteral("extra-windows")));
    parser.parse(arguments);

    // Qt names a window's WM_CLASS instance after RESOURCE_NAME and its class after the application.
    qputenv("RESOURCE_NAME", parser.isSet("instance") ? parser.value("instance").toLocal8Bit() : "Navigator");
    QApplication application(argc, argv);
    QApplication::setApplicationName(parser.isSet("class") ? parser.value("class")
                                                           : QStringLiteral("firefox-esr"));

    BrowserDoubleWindow browser(parser.value("title"), parser.value("url"),
                                parser.isSet("suffix") ? parser.value("suffix")
                                                       : QStringLiteral(" — Mozilla Firefox"),
                                parser.value("record"));
    browser.show();

    QWidget longTitle;
    QWidget minimised;
    Display *display = nullptr;
    if (parser.isSet("extra-windows")) {
        longTitle.setWindowTitle(DoubleWindows::longTitle());
        longTitle.resize(300, 100);
        longTitle.show();
        minimised.setWindowTitle(DoubleWindows::minimisedTitle());
        minimised.showMinimized();
        display = XOpenDisplay(nullptr);
        if (display)
            showRawWindows(display);
    }
    // The browser window on top, with the keyboard focus, as a freshly started browser is.
    browser.raise();
    browser.activateWindow();
    QTextStream(stdout) << "ready" << Qt::endl;
    const int result = QApplication::exec();
    if (display)
        XCloseDisplay(display);
    return result;
}
