// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Prompter.h"

#include <QPointer>
#include <QWidget>

// The prompter that shows real message boxes, input boxes and file dialogs
// over the main window.
class WidgetPrompter : public Prompter
{
public:
    void setOwner(QObject *owner) override { m_owner = qobject_cast<QWidget *>(owner); }

    Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(const QString &title, const QString &filter) override;
    QString saveFileName(const QString &title, const QString &filter) override;
    QString folderName(const QString &title, const QString &startFolder) override;

    // "(*.TSY)|*.tsy" as a file dialog's name filter: "(*.TSY) (*.tsy)".
    static QString nameFilter(const QString &filter);
    // The least width of an input box: room for its whole title.
    static int inputBoxWidth(const QWidget &box, const QString &title);
    // The folder itself when it exists, else the nearest one above it that
    // does; for "" the home folder.
    static QString existingFolder(const QString &folder);

private:
    QPointer<QWidget> m_owner;
};
