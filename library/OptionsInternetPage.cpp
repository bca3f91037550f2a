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
    QGroupBox *detection = frame(this, QStringLiteral("RAS / Internet Detection"));
    m_optMonitor = optionButtons(detection, "optMonitor",
                                 {QStringLiteral("Monitor Connection Using RAS"),
                                  QStringLiteral("Monitor Connection Using Non RAS"),
                                  QStringLiteral("Always Connected To Internet")});
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
