// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Stands in for a window's file dialog "dlgDialog" when the library asks
// for a file by name: the file is the one given on the command line, so
// ShowOpen answers at once with it.
class ChosenFileDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DialogTitle MEMBER m_title)
    Q_PROPERTY(QString Filter MEMBER m_filter)
    Q_PROPERTY(bool CancelError MEMBER m_cancelError)
    Q_PROPERTY(QString FileName MEMBER m_fileName)

public:
    ChosenFileDialog(const QString &chosen, QObject *form);

    Q_INVOKABLE bool ShowOpen();

private:
    const QString m_chosen;
    QString m_title;
    QString m_filter;
    bool m_cancelError = false;
    QString m_fileName;
};
