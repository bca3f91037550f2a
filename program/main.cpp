// Tessaly: a bookmark manager in the notification area.

#include "AppState.h"
#include "ProgramPaths.h"
#include "SaveAtExit.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "TrayWindow.h"
#include "WidgetPrompter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("tessaly"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(ProgramPaths::bankFile(ProgramPaths::appFolder(), QStringLiteral("id"))));

    SingleInstance instance;
    if (instance.AnotherInstance())
        return 0;

    AppState state;
    WidgetPrompter prompter;
    TrayWindow tray(state, prompter);
    QObject::connect(&tray, &TrayWindow::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // Logout, kill, hang-up and Ctrl+C end the program as "Unload" does.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &tray, &TrayWindow::unload);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &tray, [&tray](QSessionManager &) { tray.unload(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &tray, &TrayWindow::unload);

    // The end of the X session takes the display away and ends the process
    // from inside the event loop: the saves of the program's end still run.
    const SaveAtExit saveAtExit(tray);

    tray.start(QApplication::arguments().mid(1));
    return app.exec();
}
