// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsBrowserPage.h"

#include "OptionsControls.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace OptionsControls;

OptionsBrowserPage::OptionsBrowserPage(QWidget *parent)
    : QWidget(parent)
{
    auto *pageLayout = new QVBoxLayout(this);
    QGroupBox *browser = frame(this, tr("Preferred Browser"));
    // Named for what opens an address here; the stored numbers are those of
    // Internet Explorer, Netscape Navigator and Opera.
    m_option1 = optionButtons(browser, "Option1",
                              {tr("Default Browser"), tr("Firefox"), tr("Opera")},
                              {tr("A browser window that is open, else the desktop's default browser")});
    pageLayout->addWidget(browser);

    QGroupBox *adding = frame(this, tr("When Adding URLs"));
    m_optAF = optionButtons(adding, "optAF",
                            {tr("Store Locally"),
                             tr("Additionally Store In Bookmarks Folder - Group Folder"),
                             tr("Additionally Store In Bookmarks Folder - Root")},
                            {tr(".. within Tessaly only"),
                             tr("If no folder exists, one is created based on current Group."),
                             tr("URLs stored within main Root of Bookmarks folder")});
    pageLayout->addWidget(adding);
    pageLayout->addStretch();
}

void OptionsBrowserPage::load(const OptionsValues &values)
{
    check(m_option1, values.pB);
    check(m_optAF, values.cAF);
}

void OptionsBrowserPage::store(OptionsValues &values) const
{
    values.pB = checkedIndex(m_option1, values.pB);
    values.cAF = checkedIndex(m_optAF, values.cAF);
}
