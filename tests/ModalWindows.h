// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// Work on the modal window a command opens, run from inside its event loop.
// A check that fails in the work returns from it early; the window is then
// closed (a dialog rejected), so the test goes on to report the failure
// instead of waiting for a window nobody closes.
namespace ModalWindows {

inline void closeAfterFailure(QWidget *window)
{
    if (!QTest::currentTestFailed() || !window || !window->isVisible())
        return;
    if (auto *dialog = qobject_cast<QDialog *>(window))
        dialog->reject();
    else
        window->close();
}

// Runs work on the modal window as soon as it is up.
inline void whenModal(const std::function<void(QWidget *)> &work)
{
    QTimer::singleShot(0, [work] {
        const QPointer<QWidget> window = QApplication::activeModalWidget();
        if (!window)
            qFatal("no modal window");
        work(window);
        closeAfterFailure(window);
    });
}

// Runs work on the modal dialog as soon as it is up.
inline void whenDialog(const std::function<void(QDialog *)> &work)
{
    whenModal([work](QWidget *window) {
        auto *dialog = qobject_cast<QDialog *>(window);
        if (!dialog)
            qFatal("the modal window %s is no dialog", qPrintable(window->objectName()));
        work(dialog);
    });
}

// Runs work on the modal dialog of that name once it is up and shown
// (another modal window may come first); waits up to ten seconds.
inline void whenDialog(const QString &name, const std::function<void(QDialog *)> &work)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, work, waited = 0]() mutable {
        const QPointer<QDialog> dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name || !dialog->isVisible()) {
            if (++waited > 2000)
                qFatal("no modal dialog %s", qPrintable(name));
            return;
        }
        timer->deleteLater();
        timer->stop();
        work(dialog);
        closeAfterFailure(dialog);
    });
    timer->start(5);
}

}  // namespace ModalWindows
