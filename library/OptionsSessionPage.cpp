// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsSessionPage.h"

#include "OptionsControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace OptionsControls;

OptionsSessionPage::OptionsSessionPage(QWidget *parent)
    : QWidget(parent)
{
    auto *pageLayout = new QVBoxLayout(this);
    QGroupBox *start = frame(this, tr("Start Session"));
    m_chkALS = checkBox(start, "chkALS", tr("Auto Load Settings"));
    m_chkALU = checkBox(start, "chkALU", tr("Auto Load URLs"));
    m_chkRAC = checkBox(start, "chkRAC", tr("Perform Upon Connection"),
                        tr("Runs Auto Load Settings Upon Connection"));
    pageLayout->addWidget(start);
    QGroupBox *end = frame(this, tr("End Session / Flushing"));
    m_chkASS = checkBox(end, "chkASS", tr("Auto Save Settings"));
    m_chkASU = checkBox(end, "chkASU", tr("Auto Save URLs"));
    pageLayout->addWidget(end);
    pageLayout->addStretch();
}

void OptionsSessionPage::load(const OptionsValues &values)
{
    m_chkALS->setChecked(values.aLS);
    m_chkALU->setChecked(values.aLU);
    m_chkRAC->setChecked(values.oC);
    m_chkASS->setChecked(values.aSS);
    m_chkASU->setChecked(values.aSU);
}

void OptionsSessionPage::store(OptionsValues &values) const
{
    values.aLS = m_chkALS->isChecked();
    values.aLU = m_chkALU->isChecked();
    values.oC = m_chkRAC->isChecked();
    values.aSS = m_chkASS->isChecked();
    values.aSU = m_chkASU->isChecked();
}
