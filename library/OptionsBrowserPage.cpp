#include "OptionsBrowserPage.h"

#include "OptionsControls.h"
#include "OptionsRules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace OptionsControls;

OptionsBrowserPage::OptionsBrowserPage(QWidget *parent)
    : QWidget(parent)
{
    auto *pageLayout = new QVBoxLayout(this);
    QGroupBox *browser = frame(this, QStringLiteral("Preferred Browser"));
    m_option1 = optionButtons(
        browser, "Option1",
        {QStringLiteral("Internet Explorer"), QStringLiteral("Netscape Navigator"), QStringLiteral("Opera")});
    m_check2 = checkBox(browser, "Check2", QStringLiteral("IE3 Compatibility"));
    pageLayout->addWidget(browser);

    QGroupBox *adding = frame(this, QStringLiteral("When Adding URLs"));
    m_optAF = optionButtons(adding, "optAF",
                            {QStringLiteral("Store Locally"),
                             QStringLiteral("Additionally Store In Explorer Bookmarks - Group Folder"),
                             QStringLiteral("Additionally Store In Explorer Bookmarks - Root")},
                            {QStringLiteral(".. within Tessaly only"),
                             QStringLiteral("If no folder exists, one is created based on current Group."),
                             QStringLiteral("URLs stored within main Root of Bookmarks folder")});
    pageLayout->addWidget(adding);
    pageLayout->addStretch();

    for (QRadioButton *button : std::as_const(m_option1))
        connect(button, &QRadioButton::toggled, this, &OptionsBrowserPage::updateCompatibility);
}

void OptionsBrowserPage::load(const OptionsValues &values)
{
    check(m_option1, values.pB);
    m_check2->setChecked(values.uSK);
    check(m_optAF, values.cAF);
    updateCompatibility();
}

void OptionsBrowserPage::store(OptionsValues &values) const
{
    values.pB = checkedIndex(m_option1, values.pB);
    values.uSK = m_check2->isChecked();
    values.cAF = checkedIndex(m_optAF, values.cAF);
}

void OptionsBrowserPage::updateCompatibility()
{
    m_check2->setEnabled(OptionsRules::ie3CompatibilityEnabled(checkedIndex(m_option1, 0)));
}
