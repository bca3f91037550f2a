// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OpenCommand.h"

#include "AppState.h"
#include "BrowserLaunch.h"
#include "DayCount.h"
#include "DesktopCommands.h"
#include "DesktopSession.h"
#include "EntryOperations.h"
#include "NamedEntryEdit.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>

namespace {

// How long tsy serves the address after pasting it into a browser's address
// bar: the browser asks for the clipboard's contents when it takes the keys.
constexpr int pasteServedMs = 2000;

void serveClipboard()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QDeadlineTimer deadline(pasteServedMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}

}  // namespace

QString OpenCommand::summary() const
{
    return DesktopCommands::summaryOf(name());
}

QString OpenCommand::help() const
{
    return QStringLiteral("Usage: tsy open FILE.tsy KEY [--new-window]\n"
                          "\n"
                          "Opens the entry's address (the first entry with that address when KEY is\n"
                          "one) in the preferred browser as a double click in\n"
                          "Tessaly does, with the current user's settings (pB, uSK): in the running\n"
                          "browser's most recently active window, or a new one with --new-window,\n"
                          "else by starting the browser's program from \"App Paths\" (its missing\n"
                          "entries are filled as Tessaly fills them at its start). Where keys paste\n"
                          "the address, the clipboard is left as it was afterwards. The visit is\n"
                          "counted and the last visit set to now. An address that is not opened\n"
                          "(another scheme than http, https, ftp or file; no host; a relative file\n"
                          "address) or a browser that cannot be started is an error: one line,\n"
                          "exit status 1, no visit counted.\n")
        + lockAndBackupHelp();
}

int OpenCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption newWindow(QStringLiteral("new-window"));
    parser.addOption(newWindow);
    std::vector<EntryArguments::Reference> references;
    if (!parse(parser, arguments, 2) || !readKeys(parser.positionalArguments().mid(1), references))
        return UsageError;
    std::vector<quint32> keys;

    DesktopSession desktop(name(), m_err);
    const AppState &state = desktop.state();
    const auto open = [&](const QString &url, QString *error) {
        BrowserLaunch launch(state.settings, state.platformId, desktop.services(), nullptr);
        return launch.openURL(url, parser.isSet(newWindow) ? 1 : 0, error);
    };
    // Streamed, the browser is started when the entry's line is read.
    const double now = DayCount::now();
    NamedEntryEdit visit(
        references,
        [&](URLData &entry, QString *error) {
            if (!open(entry.url, error))
                return false;
            EntryOperations::visit(entry, now);
            return true;
        },
        NamedEntryEdit::Which::First);
    const int status = editStore(
        parser.positionalArguments().at(0),
        [&](URLBlock &store, QString *error) {
            if (!resolveKeys(store, references, keys, error))
                return false;
            const URLData *entry = store.urlDatas().Item(store.urlDatas().positionOfKey(keys.front()));
            if (!open(entry->url, error))
                return false;
            EntryOperations::visit(store, keys.front(), DayCount::now());
            return true;
        },
        rewriting(visit));
    // Keys pasted the address in the browser's window over the user's clipboard, which then comes back.
    if (desktop.clipboardChanged())
        serveClipboard();
    desktop.finish();
    return status;
}
