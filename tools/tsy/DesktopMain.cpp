// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tsy-desktop: tsy's capture and open, which tsy hands over to this program
// (see DesktopCommands), on the running program's store when it holds their
// FILE (see ProgramLink); and the keeper of the clipboard that they leave as
// they found it (see DesktopSession).

#include "BrowserCaptureCommand.h"
#include "ClipboardKeeper.h"
#include "DesktopSession.h"
#include "OpenCommand.h"
#include "ProgramLink.h"
#include "X11Display.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

// capture and open may use the clipboard, which needs a QGuiApplication, and
// that needs a display it can reach: X11, or a platform without a screen.
bool usesDesktop()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform == "offscreen" || platform == "minimal")
        return true;
    if ((!platform.isEmpty() && platform != "xcb") || !X11Display().isOpen())
        return false;
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = usesDesktop()
        ? std::make_unique<QGuiApplication>(argc, argv)
        : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tsy"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    BrowserCaptureCommand capture(out, err);
    OpenCommand open(out, err);
    // What they change in a FILE that the running program holds goes to its store.
    ProgramLink program;
    LiveLink::install(&program);
    QStringList arguments = Command::argumentsOf(argc, argv);
    const QString name = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (name == DesktopSession::keeperArgument() && arguments.isEmpty())
        return ClipboardKeeper::serve();
    for (Command *command : {static_cast<Command *>(&capture), static_cast<Command *>(&open)}) {
        if (command->name() == name)
            return command->run(arguments);
    }
    err << "tsy-desktop: runs tsy's capture and open; use tsy capture or tsy open\n";
    return Command::UsageError;
}
