// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkCheckDialog.h"

#include "ModalDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Title, Address, Result, Detail };
constexpr int answeredRole = Qt::UserRole;  // on Result: the row has its result

}  // namespace

LinkCheckDialog::LinkCheckDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCheckLinks"));
    setWindowTitle(tr("Check Links"));
    WindowHelpers::takeMainIcon(this, parent);

    m_progressText = new QLabel(this);
    m_progressText->setObjectName(QStringLiteral("lblProgress"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pbProgress"));
    m_progress->setAccessibleName(tr("Links checked"));

    m_results = new QTreeWidget(this);
    m_results->setObjectName(QStringLiteral("twResults"));
    m_results->setAccessibleName(tr("Results of the link check"));
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setHeaderLabels({tr("Title"), tr("Address"), tr("Result"), tr("New Address / Reason")});

    auto *buttons = new QDialogButtonBox(this);
    m_removeGone = buttons->addButton(tr("Remove &Gone"), QDialogButtonBox::ActionRole);
    m_removeGone->setObjectName(QStringLiteral("cmdRemoveGone"));
    m_updateMoved = buttons->addButton(tr("&Update Moved"), QDialogButtonBox::ActionRole);
    m_updateMoved->setObjectName(QStringLiteral("cmdUpdateMoved"));
    m_cancel = buttons->addButton(tr("&Cancel"), QDialogButtonBox::ActionRole);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *close = buttons->addButton(tr("C&lose"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *button : {m_removeGone, m_updateMoved, m_cancel})
        button->setAutoDefault(false);
    enableRepairs(0, 0);
    connect(m_cancel, &QPushButton::clicked, this, &LinkCheckDialog::cancelRequested);
    connect(m_removeGone, &QPushButton::clicked, this, &LinkCheckDialog::removeGoneRequested);
    connect(m_updateMoved, &QPushButton::clicked, this, &LinkCheckDialog::updateMovedRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progressText);
    layout->addWidget(m_progress);
    layout->addWidget(m_results, 1);
    layout->addWidget(buttons);
    resize(900, 420);
}

void LinkCheckDialog::addEntry(const QString &title, const QString &address)
{
    auto *item = new QTreeWidgetItem(m_results);
    item->setText(Title, title);
    item->setText(Address, address);
    item->setText(Result, tr("waiting"));
}

QString LinkCheckDialog::outcomeText(LinkCheckResult::Outcome outcome)
{
    switch (outcome) {
    case LinkCheckResult::Outcome::Ok:
        return tr("ok");
    case LinkCheckResult::Outcome::Moved:
        return tr("moved");
    case LinkCheckResult::Outcome::Gone:
        return tr("gone");
    case LinkCheckResult::Outcome::Error:
        return tr("error");
    case LinkCheckResult::Outcome::TimedOut:
        return tr("time-out");
    case LinkCheckResult::Outcome::NotChecked:
        break;
    }
    return tr("not checked");
}

void LinkCheckDialog::showResult(int row, const LinkCheckResult &result)
{
    QTreeWidgetItem *item = m_results->topLevelItem(row);
    if (!item)
        return;
    item->setText(Result, outcomeText(result.outcome));
    item->setData(Result, answeredRole, true);
    const bool withReason = result.outcome == LinkCheckResult::Outcome::Error
        || result.outcome == LinkCheckResult::Outcome::TimedOut || result.outcome == LinkCheckResult::Outcome::Gone;
    item->setText(Detail, result.outcome == LinkCheckResult::Outcome::Moved ? result.newAddress
                          : withReason                                      ? result.reason
                                                                            : QString());
}

void LinkCheckDialog::showProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progressText->setText(tr("Checked %1 of %2 links").arg(done).arg(total));
}

void LinkCheckDialog::showEnd(bool cancelled, qsizetype gone, qsizetype moved)
{
    if (cancelled) {
        m_progressText->setText(m_progressText->text() + QLatin1Char(' ') + tr("(cancelled)"));
        for (int row = 0; row < m_results->topLevelItemCount(); ++row) {
            QTreeWidgetItem *item = m_results->topLevelItem(row);
            if (!item->data(Result, answeredRole).toBool())
                item->setText(Result, tr("cancelled"));
        }
    }
    m_cancel->setEnabled(false);
    m_results->header()->resizeSections(QHeaderView::ResizeToContents);
    enableRepairs(gone, moved);
    m_results->setFocus(Qt::OtherFocusReason);
}

void LinkCheckDialog::showRepaired(const QList<int> &rows, const QString &text, qsizetype gone, qsizetype moved)
{
    for (int row : rows) {
        if (QTreeWidgetItem *item = m_results->topLevelItem(row))
            item->setText(Result, text);
    }
    enableRepairs(gone, moved);
}

void LinkCheckDialog::enableRepairs(qsizetype gone, qsizetype moved)
{
    m_removeGone->setEnabled(gone > 0);
    m_updateMoved->setEnabled(moved > 0);
}

void LinkCheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_results->header()->resizeSections(QHeaderView::ResizeToContents);
    if (QTreeWidgetItem *first = m_results->topLevelItem(0))
        m_results->setCurrentItem(first);
    m_results->setFocus(Qt::OtherFocusReason);
}
