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
    QGroupBox *browser = frame(this, QStringLiteral("Preferred Browser"));
    // Named for what opens an address here; the stored numbers are those of
    // Internet Explorer, Netscape Navigator and Opera.
    m_option1 = optionButtons(browser, "Option1",
                              {QStringLiteral("Default Browser"), QStringLiteral("Firefox"), QStringLiteral("Opera")},
                              {QStringLiteral("A browser window that is open, else the desktop's default browser")});
    pageLayout->addWidget(browser);

    QGroupBox *adding = frame(this, QStringLiteral("When Adding URLs"));
    m_optAF = optionButtons(adding, "optAF",
                            {QStringLiteral("Store Locally"),
                             QStringLiteral("Additionally Store In Bookmarks Folder - Group Folder"),
                             QStringLiteral("Additionally Store In Bookmarks Folder - Root")},
                            {QStringLiteral(".. within Tessaly only"),
                             QStringLiteral("If no folder exists, one is created based on current Group."),
                             QStringLiteral("URLs stored within main Root of Bookmarks folder")});
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
