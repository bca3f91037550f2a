// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ClipboardAccess.h"

#include <QStringList>

class QClipboard;

// The clipboard through QClipboard. Without a QGuiApplication (a command-line
// program) there is no clipboard: it reads as empty and takes nothing.
class QtClipboardAccess : public ClipboardAccess
{
public:
    void clear() override;
    void setText(const QString &text) override;
    QString text() override;
    QString waitForChange(const QString &before, int waitMs) override;
    ClipboardContents save() override;
    // Puts the contents back from this process, or on X11 hands them to a
    // keeper when one is set (see ClipboardKeeper), so that they outlast it.
    void restore(const ClipboardContents &contents) override;

    // The keeper for restore: a program and its arguments that run
    // ClipboardKeeper::serve(); none by default (a program that runs on).
    void setKeeper(const QStringList &command) { m_keeper = command; }
    // Why the last restore could not go to the keeper ("" when it did, or
    // none was asked for); the contents were then put back from this process.
    QString keeperError() const { return m_keeperError; }

private:
    static QClipboard *clipboard();

    QStringList m_keeper;
    QString m_keeperError;
};
