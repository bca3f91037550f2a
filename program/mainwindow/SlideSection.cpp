// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SlideSection.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

const char tagProperty[] = "tag";

}  // namespace

SlideSection::SlideSection(int index, const QString &caption, const QString &contentName, QWidget *panel)
    : m_header(new QFrame(panel))
    , m_button(new QToolButton(m_header))
    , m_content(new QFrame(panel))
{
    m_content->setObjectName(contentName);
    const QString suffix = QLatin1Char('_') + QString::number(index);
    m_header->setObjectName(QStringLiteral("slideSwitch") + suffix);
    m_button->setObjectName(QStringLiteral("slideButton") + suffix);

    m_button->setText(caption);
    m_button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto *layout = new QHBoxLayout(m_header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_button);

    setOpen(true);
}

bool SlideSection::isOpen() const
{
    return m_button->property(tagProperty).toString() == QLatin1String("True");
}

void SlideSection::setOpen(bool open)
{
    m_button->setProperty(tagProperty, open ? QStringLiteral("True") : QStringLiteral("False"));
    m_button->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
}

int SlideSection::place(int top, int width) const
{
    const int headerHeight = m_header->sizeHint().height();
    m_header->setGeometry(0, top, width, headerHeight);
    int bottom = top + headerHeight;

    const bool open = isOpen();
    if (open) {
        const int contentHeight = m_content->sizeHint().height();
        m_content->setGeometry(0, bottom, width, contentHeight);
        bottom += contentHeight;
    }
    m_content->setVisible(open);
    return bottom;
}
