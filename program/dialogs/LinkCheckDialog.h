// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LinkCheckResult.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The "Check Links" window: how far the check has come, and a row for each
// entry checked (title, address, result, the new address or the reason).
// Its buttons only ask: "Cancel" stops the check (cancelRequested), "Remove
// Gone" and "Update Moved" ask the owner to change the store
// (removeGoneRequested, updateMovedRequested); Escape or "Close" closes.
class LinkCheckDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LinkCheckDialog(QWidget *parent = nullptr);

    void addEntry(const QString &title, const QString &address);
    void showResult(int row, const LinkCheckResult &result);
    void showProgress(int done, int total);
    // The check has ended; the repairs can be asked for.
    void showEnd(bool cancelled, qsizetype gone, qsizetype moved);
    // Rows changed in the store: marked, and their repair no longer offered.
    void showRepaired(const QList<int> &rows, const QString &text, qsizetype gone, qsizetype moved);

    static QString outcomeText(LinkCheckResult::Outcome outcome);

signals:
    void cancelRequested();
    void removeGoneRequested();
    void updateMovedRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void enableRepairs(qsizetype gone, qsizetype moved);

    QLabel *m_progressText = nullptr;
    QProgressBar *m_progress = nullptr;
    QTreeWidget *m_results = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_removeGone = nullptr;
    QPushButton *m_updateMoved = nullptr;
};
