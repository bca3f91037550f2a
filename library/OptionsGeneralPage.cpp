// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsGeneralPage.h"

#include "OptionsControls.h"
#include "OptionsRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace OptionsControls;

OptionsGeneralPage::OptionsGeneralPage(QWidget *parent)
    : QWidget(parent)
{
    new QVBoxLayout(this);
    buildGeneral();
    buildTabPlacement();
    buildActiveIcon();
    static_cast<QVBoxLayout *>(layout())->addStretch();
}

void OptionsGeneralPage::buildGeneral()
{
    QGroupBox *general = frame(this, tr("General"));
    m_chkSTUP = checkBox(general, "chkSTUP", tr("Tessaly In Startup Folder"));
    m_chkMAOT = checkBox(general, "chkMAOT", tr("Main Window Always On Top"));
    layout()->addWidget(general);
}

void OptionsGeneralPage::buildTabPlacement()
{
    QGroupBox *placement
        = frame(this, tr("Tab Placement"), tr("Window placement of Tabs"));
    m_option2 = optionButtons(
        placement, "Option2",
        {tr("Top", "tab placement"), tr("Bottom", "tab placement"), tr("Left", "tab placement"),
         tr("Right", "tab placement")});
    layout()->addWidget(placement);
}

void OptionsGeneralPage::buildActiveIcon()
{
    // The check boxes on the left, the floating button's picture on the right.
    auto *row = new QWidget(this);
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    QGroupBox *activeIcon = frame(row, tr("Active Icon Control"));
    m_chkUAI = checkBox(activeIcon, "chkUAI", tr("Enable Active Icon"));
    m_chkIAOT = checkBox(
        activeIcon, "chkIAOT", tr("Always On Top During Connection"),
        tr("Active Icon is ALWAYS on top during an active internet connection session."));
    m_chkHUC = checkBox(
        activeIcon, "chkHUC", tr("Hide Active Icon Until Connection"),
        tr("Active Icon becomes active only when an established Internet connection is made."));
    m_chkDTI = checkBox(activeIcon, "chkDTI", tr("Disable Tray Icon When Active Icon In Use"));
    m_picture2 = new QLabel(activeIcon);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    auto *frameLayout = new QHBoxLayout;
    frameLayout->addStretch();
    frameLayout->addWidget(m_picture2);
    static_cast<QVBoxLayout *>(activeIcon->layout())->insertLayout(0, frameLayout);
    rowLayout->addWidget(activeIcon);
    layout()->addWidget(row);

    // Only the user's clicks run the rules, as the controls' own changes must not.
    connect(m_chkUAI, &QCheckBox::clicked, this, &OptionsGeneralPage::updateActiveIconFlags);
    connect(m_chkDTI, &QCheckBox::clicked, this, [this] {
        m_chkHUC->setChecked(false);
        updateActiveIconFlags();
    });
    connect(m_chkHUC, &QCheckBox::clicked, this, [this] {
        m_chkDTI->setChecked(false);
        updateActiveIconFlags();
    });
}

void OptionsGeneralPage::load(const OptionsValues &values, bool startupShortcut)
{
    m_chkSTUP->setChecked(startupShortcut);
    m_chkMAOT->setChecked(values.mAOT);
    m_chkUAI->setChecked(values.aI);
    m_chkIAOT->setChecked(values.iAOT);
    m_chkDTI->setChecked(values.dTI);
    m_chkHUC->setChecked(values.hAI);
    check(m_option2, values.tP);
    updateActiveIconFlags();
}

void OptionsGeneralPage::store(OptionsValues &values) const
{
    values.tP = checkedIndex(m_option2, values.tP);
    values.mAOT = m_chkMAOT->isChecked();
    values.iAOT = m_chkIAOT->isChecked();
    values.dTI = m_chkDTI->isChecked();
    values.hAI = m_chkHUC->isChecked();
    values.aI = m_chkUAI->isChecked();
}

bool OptionsGeneralPage::startupChecked() const
{
    return m_chkSTUP->isChecked();
}

void OptionsGeneralPage::setStartupChecked(bool checked)
{
    m_chkSTUP->setChecked(checked);
}

bool OptionsGeneralPage::activeIconChecked() const
{
    return m_chkUAI->isChecked();
}

bool OptionsGeneralPage::hideUntilOnlineChecked() const
{
    return m_chkHUC->isChecked();
}

void OptionsGeneralPage::setPicture(const QPixmap &picture)
{
    m_picture2->setPixmap(picture);
    m_picture2->setVisible(!picture.isNull());
}

void OptionsGeneralPage::updateActiveIconFlags()
{
    OptionsRules::ActiveIconFlags flags;
    flags.enabled = m_chkUAI->isChecked();
    flags.alwaysOnTop = m_chkIAOT->isChecked();
    flags.hideUntilOnline = m_chkHUC->isChecked();
    flags.noTrayIcon = m_chkDTI->isChecked();
    flags = OptionsRules::updateActiveIconFlags(flags);
    m_chkDTI->setChecked(flags.noTrayIcon);
    m_chkHUC->setChecked(flags.hideUntilOnline);
    for (QCheckBox *box : {m_chkDTI, m_chkHUC, m_chkIAOT})
        box->setEnabled(flags.dependentsEnabled);
}
