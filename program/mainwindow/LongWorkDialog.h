// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of long work: what runs, a bar, and "Cancel". Escape,
// closing the dialog and reject() (the tray's unload closes prompts so)
// cancel as the button does; the dialog stays up until the work has ended.
class LongWorkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LongWorkDialog(QWidget *parent);

    void setText(const QString &text);
    // done of total; total 0 shows a bar that only says something is going on.
    void setProgress(qint64 done, qint64 total);
    QProgressBar *bar() const { return m_bar; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void reject() override;

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_text;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
};
