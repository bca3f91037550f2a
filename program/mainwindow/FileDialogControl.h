// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class Prompter;

// The main window's common file dialog, driven by name: the library sets its
// properties and calls ShowOpen through the window it was given. Cancelling
// leaves FileName empty.
class FileDialogControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DialogTitle MEMBER m_title)
    Q_PROPERTY(QString Filter MEMBER m_filter)
    Q_PROPERTY(bool CancelError MEMBER m_cancelError)
    Q_PROPERTY(QString FileName MEMBER m_fileName)

public:
    FileDialogControl(Prompter &prompter, QObject *parent);

    // Shows the open dialog; false when it was cancelled.
    Q_INVOKABLE bool ShowOpen();
    Q_INVOKABLE bool ShowSave();

private:
    Prompter &m_prompter;
    QString m_title;
    QString m_filter;
    bool m_cancelError = false;
    QString m_fileName;
};
