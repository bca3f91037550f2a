// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsInternetPage.h"

#include "OptionsControls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace OptionsControls;

OptionsInternetPage::OptionsInternetPage(QWidget *parent)
    : QWidget(parent)
{
    auto *pageLayout = new QVBoxLayout(this);
    // 0 watches point-to-point interfaces (dial-up, mobile, VPN), 1 the
    // desktop's network state; the stored numbers are the Windows ones.
    QGroupBox *detection = frame(this, tr("Internet Detection"));
    m_optMonitor = optionButtons(detection, "optMonitor",
                                 {tr("Monitor VPN and Dial-up Connections"),
                                  tr("Monitor Any Network Connection"),
                                  tr("Always Connected To Internet")},
                                 {tr("Online while a dial-up, mobile or VPN connection is up"),
                                  tr("Online while the desktop reports a network connection")});
    pageLayout->addWidget(detection);
    pageLayout->addStretch();
}

void OptionsInternetPage::load(const OptionsValues &values)
{
    check(m_optMonitor, values.mT);
}

void OptionsInternetPage::store(OptionsValues &values) const
{
    values.mT = checkedIndex(m_optMonitor, values.mT);
}
