// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OpenCommand.h"

#include "AppState.h"
#include "BrowserLaunch.h"
#include "DayCount.h"
#include "DesktopCommands.h"
#include "DesktopSession.h"
#include "EntryOperations.h"
#include "LiveLink.h"
#include "NamedEntryEdit.h"
#include "URLBlock.h"

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QFileInfo>
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
                          "exit status 1, no visit counted. When Tessaly holds FILE, the browser is\n"
                          "still started here, and Tessaly counts the visit as it counts its own\n"
                          "openings: its window shows it, and \"Undo\" does not take it back.\n")
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
    const QString file = parser.positionalArguments().at(0);

    DesktopSession desktop(name(), m_err);
    const AppState &state = desktop.state();
    const auto open = [&](const QString &url, QString *error) {
        BrowserLaunch launch(state.settings, state.platformId, desktop.services(), nullptr);
        return launch.openURL(url, parser.isSet(newWindow) ? 1 : 0, error);
    };
    // When the running program holds FILE, the entry is found in its store.
    ProgramEntry entry;
    const std::optional<int> found = findInProgram(file, parser.positionalArguments().at(1), entry);
    int status = found.value_or(Success);
    if (!found) {
        status = openInFile(file, references, open);
    } else if (status == Success) {
        QString error;
        if (!open(entry.url, &error))
            status = fileError(error);
    }
    // Keys pasted the address in the browser's window over the user's clipboard, which then comes back.
    if (desktop.clipboardChanged())
        serveClipboard();
    desktop.finish();
    // Only now, while the clipboard is the user's (or its keeper's) again,
    // does this process wait for the program: no paste waits for it.
    if (found && status == Success)
        status = countVisitInProgram(file, entry);
    return status;
}

int OpenCommand::openInFile(const QString &file, const std::vector<EntryArguments::Reference> &references,
                            const Opener &open)
{
    std::vector<quint32> keys;
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
    return editStore(
        file,
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
}

// The program names the entry's key and address (see LiveOpenCommand).
std::optional<int> OpenCommand::findInProgram(const QString &file, const QString &keyText, ProgramEntry &entry)
{
    LiveLink *link = LiveLink::current();
    if (!link)
        return std::nullopt;
    const QString path = QFileInfo(file).absoluteFilePath();
    QString found;
    QTextStream foundOut(&found);
    const std::optional<int> status
        = link->run(path, {name(), QStringLiteral("--"), path, keyText}, foundOut, m_err);
    foundOut.flush();
    if (!status || *status != Success)
        return status;
    const QStringList lines = found.split(u'\n');
    if (lines.size() < 2 || lines.at(1).isEmpty())
        return fileError(QStringLiteral("the running Tessaly named no entry to open"));
    entry = {lines.at(0), lines.at(1)};
    return Success;
}

// The program counts the visit of the entry it named, when that still has
// the address that was opened.
int OpenCommand::countVisitInProgram(const QString &file, const ProgramEntry &entry)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    const QStringList visit {name(), QStringLiteral("--visit=") + entry.url, QStringLiteral("--"), path, entry.key};
    if (const std::optional<int> counted = LiveLink::current()->run(path, visit, m_out, m_err))
        return *counted;
    // The program let FILE go meanwhile, saving its store there: the visit
    // is counted in the file, on the entry that was opened.
    std::vector<EntryArguments::Reference> references;
    if (!readKeys({entry.key}, references))
        return UsageError;
    return openInFile(file, references, [&entry](const QString &url, QString *error) {
        if (url == entry.url)
            return true;
        *error = QStringLiteral("entry %1 no longer has the address that was opened: no visit is counted")
                     .arg(entry.key);
        return false;
    });
}
