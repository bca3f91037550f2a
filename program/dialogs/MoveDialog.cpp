// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MoveDialog.h"

#include "EntryEditor.h"
#include "ModalDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int pictureSize = 32;
constexpr int listWidthInCharacters = 24;

}  // namespace

MoveDialog::MoveDialog(const GroupTable &groups, QWidget *parent)
    : QDialog(parent, WindowHelpers::fixedDialogFlags())
{
    setObjectName(QStringLiteral("frmMove"));
    setWindowTitle(tr("Move to..."));
    WindowHelpers::takeMainIcon(this, parent);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_DirIcon).pixmap(pictureSize, pictureSize));

    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("Combo1"));
    m_groups->setAccessibleName(tr("Group"));
    m_groups->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_groups->setMinimumContentsLength(listWidthInCharacters);
    EntryEditor::BuildCatCombo(m_groups, groups);
    m_groups->setCurrentIndex(m_groups->count() > 0 ? 0 : -1);

    auto *accept = new QPushButton(tr("Accept"), this);
    accept->setObjectName(QStringLiteral("acceptCmd"));
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(m_groups, 0, 1);
    grid->addWidget(accept, 1, 1, Qt::AlignRight);

    adjustSize();
    WindowHelpers::placeBelowMainTop(this, parent);
}

int MoveDialog::group() const
{
    return m_groups->currentIndex() >= 0 ? m_groups->currentData().toInt() : -1;
}

void MoveDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_groups->setFocus(Qt::OtherFocusReason);
}
