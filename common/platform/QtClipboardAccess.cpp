// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtClipboardAccess.h"

#include "ClipboardKeeper.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

QClipboard *QtClipboardAccess::clipboard()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                         : nullptr;
}

void QtClipboardAccess::clear()
{
    if (QClipboard *board = clipboard())
        board->clear();
}

void QtClipboardAccess::setText(const QString &text)
{
    if (QClipboard *board = clipboard())
        board->setText(text);
}

QString QtClipboardAccess::text()
{
    QClipboard *board = clipboard();
    return board ? board->text() : QString();
}

QString QtClipboardAccess::waitForChange(const QString &before, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        // The owner of the clipboard may be this program: its events must run for others to see a change.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // An empty read is no change: while the clipboard passes from one
        // owner to the next its text can read as empty for a moment.
        const QString now = text();
        if (!now.isEmpty() && now != before)
            return now;
        if (deadline.hasExpired())
            return QString();
        QThread::msleep(5);
    }
}

ClipboardContents QtClipboardAccess::save()
{
    QClipboard *board = clipboard();
    const QMimeData *data = board ? board->mimeData() : nullptr;
    return data ? ClipboardContents::fromMimeData(*data) : ClipboardContents();
}

void QtClipboardAccess::restore(const ClipboardContents &contents)
{
    QClipboard *board = clipboard();
    if (!board)
        return;
    m_keeperError.clear();
    if (!m_keeper.isEmpty() && QGuiApplication::platformName() == QLatin1String("xcb")
        && ClipboardKeeper::handOver(m_keeper, contents, &m_keeperError))
        return;
    if (contents.isEmpty())
        board->clear();
    else
        board->setMimeData(contents.toMimeData());
}
