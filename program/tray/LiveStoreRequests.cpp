// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LiveStoreRequests.h"

#include "AppState.h"
#include "Command.h"
#include "DayCount.h"
#include "EntryListModel.h"
#include "EntryOperations.h"
#include "InstanceRequests.h"
#include "LiveCommands.h"
#include "MainWindow.h"
#include "StackFile.h"
#include "StoreHistory.h"
#include "StoreRecording.h"
#include "TrayWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QTextStream>
#include <utility>

LiveStoreRequests::LiveStoreRequests(TrayWindow &tray, AppState &state, QObject *parent)
    : QObject(parent)
    , m_tray(tray)
    , m_state(state)
{ }

InstanceMessage::Reply LiveStoreRequests::answer(const InstanceMessage::Request &request)
{
    InstanceMessage::Reply reply;
    // Not held: tsy works on the file itself.
    if (request.version < 2 || request.arguments.isEmpty() || !holds(request.stackFile))
        return reply;
    reply.status = 1;
    if (const QString busy = busyReason(); !busy.isEmpty()) {
        reply.later = true;
        reply.error = tr("Tessaly is busy (%1): try again when it is done.").arg(busy);
        return reply;
    }
    if (m_tray.mainWindow()->defaultStack().holdsUnloadedContent()) {
        reply.error = tr("Tessaly holds %1 but shows other bookmarks in its place: flush the main window "
                         "(\"Flush\" in the tray menu) and try again.")
                          .arg(request.stackFile);
        return reply;
    }
    return run(request.arguments);
}

InstanceMessage::Reply LiveStoreRequests::run(const QStringList &commandLine)
{
    InstanceMessage::Reply reply;
    QBuffer outBuffer(&reply.out);
    QBuffer errBuffer(&reply.err);
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    QTextStream out(&outBuffer);
    QTextStream err(&errBuffer);
    const std::unique_ptr<Command> command = LiveCommands::make(commandLine.first(), out, err);
    if (!command) {
        reply.status = Command::UsageError;
        reply.error = tr("the running Tessaly does not run this command");
        return reply;
    }
    // Work that lets events run (an import's progress) keeps the tray's
    // flush and unload waiting, as a prompt does.
    const int previousDialogState = std::exchange(m_state.dialogState, int(AppState::PromptOpen));
    m_running = true;
    m_commandName = commandLine.first();
    int status = 0;
    {
        const LiveStore::Scope scope(*this);
        status = command->run(commandLine.mid(1));
    }
    m_running = false;
    m_state.dialogState = previousDialogState;
    out.flush();
    err.flush();
    reply.ok = true;
    reply.status = status;
    return reply;
}

void LiveStoreRequests::apply(URLBlock &changed)
{
    // tsy worked on a copy keyed in file order, and the store takes those
    // keys: the window's earlier steps name entries by their old keys, so the
    // history starts again, with this change as its one step.
    if (m_state.history)
        m_state.history->clear();
    const StoreRecording recording(m_state, tr("tsy %1").arg(m_commandName));
    m_state.store.swap(changed);
    m_state.store.countChange();
    if (MainWindow *main = m_tray.mainWindow())
        main->fullScrnRefresh(true);
    changed.clear();
}

bool LiveStoreRequests::holds(const QString &path) const
{
    MainWindow *main = m_tray.mainWindow();
    return main && !path.isEmpty() && main->defaultStack().holdsLock()
        && InstanceRequests::sameFile(path, main->defaultStack().path());
}

void LiveStoreRequests::copyInto(URLBlock &store) const
{
    QByteArray text = StackFile::stackFileText(m_state.store);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    StackFile::readStackFile(store, buffer, text.size(), DayCount::now());
}

void LiveStoreRequests::replaceWith(URLBlock &changed)
{
    apply(changed);
}

void LiveStoreRequests::countVisit(quint32 keyWhenRead, double now)
{
    const quint32 key = StackFile::keyNumberInStore(m_state.store, keyWhenRead);
    if (!EntryOperations::visit(m_state.store, key, now))
        return;
    m_state.store.countChange();
    // The entry's row, where the window lists it, shows the visit.
    if (MainWindow *main = m_tray.mainWindow()) {
        EntryListModel *model = main->activeModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->keyAt(row) == key)
                model->refreshRows({row});
        }
    }
}

QString LiveStoreRequests::busyReason() const
{
    const MainWindow *main = m_tray.mainWindow();
    if (m_tray.hasEnded())
        return tr("it is ending");
    if (m_running)
        return tr("another tsy command is running");
    if (main && main->isLoading())
        return tr("it is loading the bookmarks");
    if (m_state.dialogState != AppState::NoDialog || QApplication::activeModalWidget())
        return tr("a dialog or long work is open in it");
    return QString();
}
