// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EntryEditor.h"

#include "ControlNames.h"
#include "DialogText.h"
#include "EntryRowTexts.h"
#include "GroupTable.h"
#include "ModalDialog.h"
#include "URLBlock.h"
#include "URLData.h"
#include "WindowHelpers.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr int ratingCount = 5;
constexpr int fieldWidthInCharacters = 48;

// A one-line field that takes a text of any length whole.
QLineEdit *makeField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * fieldWidthInCharacters);
    return field;
}

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

EntryEditor::EntryEditor(const URLBlock &store, QWidget *parent)
    : QDialog(parent, WindowHelpers::fixedDialogFlags())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("URL Information"));
    WindowHelpers::takeMainIcon(this, parent);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip"));
    m_tabs->addTab(makeQuickEditPage(), tr("Quick Edit"));
    m_tabs->setTabToolTip(0, tr("Main URL Information store."));
    m_tabs->addTab(makeExtendedPage(), tr("Extended"));
    m_tabs->setTabToolTip(1, tr("Displays useful information"));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_tabs);
    layout->addLayout(makeButtons());

    BuildCatCombo(m_group, store.IDXList());
    m_group->setCurrentIndex(-1);
    adjustSize();
    WindowHelpers::centerOverMain(this, parent);
}

QWidget *EntryEditor::makeQuickEditPage()
{
    auto *page = new QFrame;
    page->setObjectName(indexedName("Frame", 0));
    m_title = makeField(indexedName("Text1", 0), page);
    m_url = makeField(indexedName("Text1", 1), page);

    m_rating = new QComboBox(page);
    m_rating->setObjectName(indexedName("Combo1", 0));
    for (int rated = 0; rated < ratingCount; ++rated)
        m_rating->addItem(EntryRowTexts::ratingName(rated));
    m_rating->setCurrentIndex(-1);
    m_group = new QComboBox(page);
    m_group->setObjectName(indexedName("Combo1", 1));
    // Group names of any length: the list is as wide as the fields, not the longest name.
    m_group->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_group->setMinimumContentsLength(1);

    auto *grid = new QGridLayout(page);
    const auto addRow = [grid, page](int row, const QString &name, const QString &caption, QWidget *field) {
        QLabel *label = makeLabel(name, caption, page);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, indexedName("Label1", 0), tr("Name:"), m_title);
    addRow(1, indexedName("Label1", 1), tr("URL:"), m_url);
    addRow(2, QStringLiteral("Label4"), tr("Rating:"), m_rating);
    addRow(3, QStringLiteral("Label5"), tr("Group:"), m_group);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *EntryEditor::makeExtendedPage()
{
    auto *page = new QFrame;
    page->setObjectName(indexedName("Frame", 1));
    const QString captions[] = {tr("Created:"), tr("Last Accessed:"), tr("Times Accessed:")};
    QLabel **values[] = {&m_created, &m_lastVisit, &m_visits};
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(makeLabel(indexedName("Label2", i), captions[i], page), i, 0);
        *values[i] = makeLabel(indexedName("Label3", i), QString(), page);
        (*values[i])->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(*values[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QLayout *EntryEditor::makeButtons()
{
    auto *accept = new QPushButton(tr("Accept"), this);
    accept->setObjectName(QStringLiteral("Command1"));
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &EntryEditor::acceptEntry);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(accept);
    row->addWidget(cancel);
    return row;
}

void EntryEditor::editEntry(const URLData &entry, int currentGroup)
{
    m_editKey = entry.ID();
    m_title->setText(entry.Name);
    m_url->setText(entry.url);
    m_ownRating = entry.Rated;
    m_rating->setCurrentIndex(entry.Rated < ratingCount ? entry.Rated : -1);
    selectGroup(currentGroup);
    m_created->setText(EntryRowTexts::generalDateText(entry.Created));
    m_lastVisit->setText(entry.LastAccesed == 0.0 ? tr("Never")
                                                  : EntryRowTexts::generalDateText(entry.LastAccesed));
    m_visits->setText(QString::number(entry.Visited));
}

void EntryEditor::createNew(int currentGroup)
{
    m_editKey.clear();
    m_title->clear();
    m_url->setText(QStringLiteral("http://"));
    m_ownRating = 0;
    m_rating->setCurrentIndex(0);
    selectGroup(currentGroup);
}

void EntryEditor::setCaptured(const QString &title, const QString &url)
{
    m_title->setText(title);
    m_url->setText(url);
}

QString EntryEditor::title() const
{
    return m_title->text();
}

QString EntryEditor::url() const
{
    return m_url->text();
}

int EntryEditor::rating() const
{
    return m_rating->currentIndex() >= 0 ? m_rating->currentIndex() : m_ownRating;
}

int EntryEditor::group() const
{
    return m_group->currentIndex() >= 0 ? m_group->currentData().toInt() : -1;
}

void EntryEditor::BuildCatCombo(QComboBox *combo, const GroupTable &groups)
{
    for (int position = 0; position < groups.groupCount(); ++position) {
        const GroupRecord &record = groups.at(position);
        combo->addItem(record.name, record.number);
    }
}

void EntryEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_tabs->setCurrentIndex(0);
    m_title->setFocus(Qt::OtherFocusReason);
}

// The first line whose group number is currentGroup; no line when none is.
void EntryEditor::selectGroup(int currentGroup)
{
    m_group->setCurrentIndex(m_group->findData(currentGroup));
}

void EntryEditor::acceptEntry()
{
    m_title->setText(DialogText::trimBlanks(m_title->text()));
    m_url->setText(DialogText::trimBlanks(m_url->text()));
    accept();
}
