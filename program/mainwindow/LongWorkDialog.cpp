// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LongWorkDialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The bar's steps: fine enough for any file, small enough for an int.
constexpr int barSteps = 1000;

} // namespace

LongWorkDialog::LongWorkDialog(QWidget *parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("longWorkDialog"));
    setWindowTitle(QStringLiteral("Tessaly"));
    m_text->setObjectName(QStringLiteral("longWorkText"));
    m_bar->setObjectName(QStringLiteral("longWorkBar"));
    m_cancel->setObjectName(QStringLiteral("longWorkCancel"));
    m_bar->setAccessibleName(tr("Progress"));
    m_bar->setMinimumWidth(320);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &LongWorkDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(buttons);
}

void LongWorkDialog::setText(const QString &text)
{
    m_text->setText(text);
}

void LongWorkDialog::setProgress(qint64 done, qint64 total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    m_bar->setRange(0, barSteps);
    m_bar->setValue(int(qBound(qint64(0), done, total) * barSteps / total));
}

// Not closed here: the work ends first, then its runner closes the dialog.
void LongWorkDialog::reject()
{
    m_cancel->setEnabled(false);
    m_text->setText(tr("Cancelling…"));
    emit cancelRequested();
}

void LongWorkDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}
