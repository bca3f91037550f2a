// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FindWindow.h"

#include "DialogText.h"
#include "ModalDialog.h"
#include "WindowHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace {

// Positions of the direction list.
enum DirectionItem { UpItem = 0, DownItem = 1 };

constexpr int textWidthInCharacters = 32;

}  // namespace

FindWindow::FindWindow(QString &findText, QWidget *parent)
    : QDialog(parent, WindowHelpers::fixedDialogFlags())
    , m_findText(findText)
{
    setObjectName(QStringLiteral("Find"));
    setWindowTitle(tr("Find..."));
    WindowHelpers::takeMainIcon(this, parent);

    auto *label = new QLabel(tr("Find What:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_text = new QLineEdit(findText, this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setMaxLength(std::numeric_limits<int>::max());
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * textWidthInCharacters);
    label->setBuddy(m_text);

    auto *frame = new QGroupBox(tr("Direction"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_direction = new QComboBox(frame);
    m_direction->setObjectName(QStringLiteral("Combo1"));
    m_direction->addItems({tr("Up"), tr("Down")});
    m_direction->setCurrentIndex(DownItem);
    (new QVBoxLayout(frame))->addWidget(m_direction);

    auto *findButton = new QPushButton(tr("Find Next"), this);
    findButton->setObjectName(QStringLiteral("Command1"));
    findButton->setDefault(true);
    connect(findButton, &QPushButton::clicked, this, &FindWindow::findNext);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(frame, 1, 1, Qt::AlignLeft);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(findButton);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, 2, 1);

    adjustSize();
    WindowHelpers::centerOverMain(this, parent);
}

void FindWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_text->selectAll();
    m_text->setFocus(Qt::OtherFocusReason);
}

// Enter in the text box reaches here too: "Find Next" is the default button.
void FindWindow::findNext()
{
    m_findText = DialogText::trimBlanks(m_text->text());
    if (m_findText.isEmpty()) {
        QApplication::beep();
        return;
    }
    emit findRequested(m_findText, m_direction->currentIndex() == UpItem ? Up : Down);
}
