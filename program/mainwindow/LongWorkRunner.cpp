// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LongWorkRunner.h"

#include "AppState.h"
#include "LongWorkDialog.h"

#include <QCoreApplication>
#include <QWidget>
#include <utility>

namespace {

// How often nested work lets the event loop run: often enough for a smooth
// repaint and a prompt "Cancel", seldom enough to cost the work little.
constexpr qint64 eventsEveryMs = 40;

} // namespace

LongWorkRunner::LongWorkRunner(AppState &state, QWidget *window)
    : QObject(window)
    , m_state(state)
    , m_window(window)
{ }

LongWorkRunner::~LongWorkRunner()
{
    delete m_dialog;
}

LongWork &LongWorkRunner::begin(const QString &what, Mode mode, std::function<void()> undo)
{
    if (m_work)
        end();
    m_work = std::make_unique<LongWork>(what, m_clock);
    m_mode = mode;
    m_undo = std::move(undo);
    m_dialogShown = false;
    m_lastEventsMs = m_work->elapsedMs();
    m_work->setListener([this] { onStep(); });
    if (m_mode == Mode::Nested)
        m_previousDialogState = std::exchange(m_state.dialogState, int(AppState::PromptOpen));
    m_progressText = tr("%1…").arg(what);
    emit started(m_work.get());
    emit progressTextChanged();
    return *m_work;
}

void LongWorkRunner::end()
{
    if (!m_work)
        return;
    const std::unique_ptr<LongWork> work = std::move(m_work);
    m_undo = {};
    if (m_mode == Mode::Nested)
        m_state.dialogState = m_previousDialogState;
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    m_progressText.clear();
    emit progressTextChanged();
    emit ended(work->what(), work->isCancelled());
}

void LongWorkRunner::abandon()
{
    if (!m_work)
        return;
    m_work->cancel();
    if (const auto undo = std::exchange(m_undo, {}))
        undo();
}

QString LongWorkRunner::progressText() const
{
    return m_progressText;
}

void LongWorkRunner::onStep()
{
    LongWork &work = *m_work;
    emit stepped(&work);
    const QString text = work.total() > 0
        ? tr("%1: %2%").arg(work.what()).arg(qBound(qint64(0), work.done(), work.total()) * 100 / work.total())
        : tr("%1…").arg(work.what());
    if (text != m_progressText) {
        m_progressText = text;
        emit progressTextChanged();
    }
    if (!m_dialog && !work.isCancelled() && work.worthShowing())
        showDialog();
    if (m_dialog)
        m_dialog->setProgress(work.done(), work.total());
    if (m_mode == Mode::Nested)
        letEventsRun();
}

void LongWorkRunner::showDialog()
{
    m_dialog = new LongWorkDialog(m_window);
    m_dialog->setText(m_work->what());
    m_dialog->setWindowModality(Qt::WindowModal);
    connect(m_dialog, &LongWorkDialog::cancelRequested, this, [this] {
        if (m_work)
            m_work->cancel();
    });
    m_dialog->show();
    m_dialogShown = true;
    m_eventsDue = true;
}

void LongWorkRunner::letEventsRun()
{
    const qint64 now = m_work->elapsedMs();
    // A dialog just shown is painted at once.
    if (now - m_lastEventsMs < eventsEveryMs && !std::exchange(m_eventsDue, false))
        return;
    m_lastEventsMs = now;
    // Until the modal dialog is up, user input would reach the main window.
    QCoreApplication::processEvents(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}
