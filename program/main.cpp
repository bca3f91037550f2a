// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tessaly: a bookmark manager in the notification area.

#include "AppState.h"
#include "BankImage.h"
#include "InstallCheck.h"
#include "InstanceRequests.h"
#include "ProgramOptions.h"
#include "ProgramPaths.h"
#include "ProgramTranslations.h"
#include "SaveAtExit.h"
#include "SecondStart.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "TrayWindow.h"
#include "WidgetPrompter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QSessionManager>

#include <cstdio>

namespace {

int printAnswer(const ProgramOptions::Answer &answer)
{
    std::fputs(answer.text.toLocal8Bit().constData(), answer.toStandardError ? stderr : stdout);
    return answer.exitStatus;
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version need no display.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = ProgramOptions::informationAnswer(rawArguments, QStringLiteral(TESSALY_VERSION)))
        return printAnswer(*answer);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));
    // The installed desktop entry and icon: org.orvane.Tessaly.desktop.
    QApplication::setDesktopFileName(QStringLiteral("org.orvane.Tessaly"));
    if (ProgramOptions::asksInstallCheck(QApplication::arguments().mid(1)))
        return printAnswer(InstallCheck::run(ProgramPaths::appFolder()));
    if (const auto answer = ProgramOptions::unknownOptionAnswer(QApplication::arguments().mid(1)))
        return printAnswer(*answer);
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows' texts in the user's language; the command line's stay English.
    const ProgramTranslations translations(ProgramPaths::appFolder());
    // The windows' and the tray's icon, in its 1x and 2x forms.
    QApplication::setWindowIcon(
        BankImage(ProgramPaths::bankFile(ProgramPaths::appFolder(), QStringLiteral("id"))).icon());

    // Another start while the program runs asks it to show its main window.
    SingleInstance instance;
    if (instance.AnotherInstance()) {
        WidgetPrompter prompter;
        return SecondStart(prompter, instance.socketPath()).run(QApplication::arguments().mid(1));
    }

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

    const QStringList arguments = QApplication::arguments().mid(1);
    tray.moveEarlierStackFiles(arguments);
    tray.start(arguments);
    InstanceRequests requests(tray, state);
    if (QString error; !requests.listen(instance.socketPath(), &error))
        std::fprintf(stderr, "tessaly: other starts cannot reach this one: %s\n", error.toLocal8Bit().constData());
    return app.exec();
}
