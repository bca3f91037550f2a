// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MaskFilterDialog.h"

#include "ControlNames.h"
#include "DialogText.h"
#include "EntryRowTexts.h"
#include "ModalDialog.h"
#include "ViewFilter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Indexes of the combos (Combo3_<i>) and count boxes (Text2_<i>).
enum Combo { VisitedMode = 0, AccessedMode = 1, AccessedUnit = 2 };
enum CountBox { VisitedCount = 0, AccessedAmount = 1 };

constexpr int ratingCount = 5;
constexpr int countWidthInCharacters = 7;

void setComboIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

MaskFilterDialog::MaskFilterDialog(ViewFilter &filter, QWidget *parent)
    : QDialog(parent, WindowHelpers::fixedDialogFlags())
    , m_filter(filter)
{
    setObjectName(QStringLiteral("Rated"));
    setWindowTitle(tr("Mask Filters"));
    WindowHelpers::takeMainIcon(this, parent);

    auto *layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *ratingColumn = new QVBoxLayout;
    ratingColumn->addWidget(makeRatingList());
    auto *clear = makeButton(indexedName("Command2", 0), tr("CLR", "uncheck every rating"), this);
    connect(clear, &QPushButton::clicked, this, [this] { setAllRatings(false); });
    auto *set = makeButton(indexedName("Command2", 1), tr("SET", "check every rating"), this);
    connect(set, &QPushButton::clicked, this, [this] { setAllRatings(true); });
    auto *ratingButtons = new QHBoxLayout;
    ratingButtons->addWidget(clear);
    ratingButtons->addWidget(set);
    ratingColumn->addLayout(ratingButtons);
    layout->addLayout(ratingColumn);

    auto *filterColumn = new QVBoxLayout;
    filterColumn->addLayout(makeCountFilters());
    filterColumn->addStretch(1);
    filterColumn->addLayout(makeButtons());
    layout->addLayout(filterColumn);

    loadFilter();
    adjustSize();
    WindowHelpers::placeBelowMainTop(this, parent);
}

QWidget *MaskFilterDialog::makeRatingList()
{
    m_ratings = new QTreeWidget(this);
    m_ratings->setObjectName(indexedName("ListView1", 0));
    m_ratings->setHeaderLabels({tr("Rating Filter")});
    m_ratings->setAccessibleName(m_ratings->headerItem()->text(0));
    m_ratings->setRootIsDecorated(false);
    m_ratings->setItemsExpandable(false);
    m_ratings->header()->setSectionsClickable(false);
    for (int rated = 0; rated < ratingCount; ++rated) {
        auto *row = new QTreeWidgetItem(m_ratings, {EntryRowTexts::ratingName(rated)});
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    m_ratings->setCurrentItem(m_ratings->topLevelItem(0));
    // Tall enough for the five rows and the header, no taller.
    const int rows = m_ratings->sizeHintForRow(0) * ratingCount;
    m_ratings->setFixedHeight(rows + m_ratings->header()->sizeHint().height() + 2 * m_ratings->frameWidth()
                              + m_ratings->fontMetrics().descent());
    return m_ratings;
}

QLayout *MaskFilterDialog::makeCountFilters()
{
    const QStringList modes {tr("OFF"), tr("More Than"), tr("Less Than"), tr("Equal To")};
    // Headings only: they do nothing and take no focus.
    QPushButton *headings[2];
    const QString captions[] = {tr("Accessed"), tr("Last Accessed")};
    for (int i = 0; i < 2; ++i) {
        headings[i] = makeButton(indexedName("Command1", i), captions[i], this);
        headings[i]->setFocusPolicy(Qt::NoFocus);
        headings[i]->setAutoDefault(false);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(headings[0], 0, 0, 1, 3);
    grid->addWidget(makeCombo(VisitedMode, modes, captions[0] + tr(": comparison")), 1, 0);
    grid->addWidget(makeCountBox(VisitedCount, captions[0] + tr(": times")), 1, 1);
    auto *times = new QLabel(tr("Times"), this);
    times->setObjectName(QStringLiteral("Label5"));
    grid->addWidget(times, 1, 2);
    grid->addWidget(headings[1], 2, 0, 1, 3);
    grid->addWidget(makeCombo(AccessedMode, modes, captions[1] + tr(": comparison")), 3, 0);
    grid->addWidget(makeCountBox(AccessedAmount, captions[1] + tr(": amount")), 3, 1);
    grid->addWidget(
        makeCombo(AccessedUnit, {tr("Days"), tr("Weeks"), tr("Months")}, captions[1] + tr(": unit")), 3, 2);
    return grid;
}

QLayout *MaskFilterDialog::makeButtons()
{
    auto *filter = makeButton(QStringLiteral("cmdFilter"), tr("Filter"), this);
    filter->setDefault(true);
    connect(filter, &QPushButton::clicked, this, &MaskFilterDialog::applyFilter);
    auto *cancel = makeButton(QStringLiteral("cmdCancel"), tr("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(filter);
    row->addWidget(cancel);
    return row;
}

QComboBox *MaskFilterDialog::makeCombo(int index, const QStringList &items, const QString &name)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(indexedName("Combo3", index));
    combo->setAccessibleName(name);
    combo->addItems(items);
    m_combos[size_t(index)] = combo;
    return combo;
}

QLineEdit *MaskFilterDialog::makeCountBox(int index, const QString &name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(indexedName("Text2", index));
    box->setAccessibleName(name);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * countWidthInCharacters
                       + box->fontMetrics().averageCharWidth() * 2);
    m_counts[size_t(index)] = box;
    return box;
}

void MaskFilterDialog::loadFilter()
{
    for (int rated = 0; rated < ratingCount; ++rated)
        m_ratings->topLevelItem(rated)->setCheckState(
            0, m_filter.ratingMask[size_t(rated)] ? Qt::Checked : Qt::Unchecked);
    setComboIndex(m_combos[VisitedMode], m_filter.visitedMode);
    m_counts[VisitedCount]->setText(QString::number(m_filter.visitedCount));
    setComboIndex(m_combos[AccessedMode], m_filter.accessedMode);
    m_counts[AccessedAmount]->setText(QString::number(m_filter.accessedAmount));
    setComboIndex(m_combos[AccessedUnit], m_filter.accessedUnit);
}

void MaskFilterDialog::setAllRatings(bool checked)
{
    for (int rated = 0; rated < ratingCount; ++rated)
        m_ratings->topLevelItem(rated)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

// Stores every setting that is valid; a count box that holds no 16-bit whole
// number keeps its previous value and is marked for correction.
void MaskFilterDialog::applyFilter()
{
    for (int rated = 0; rated < ratingCount; ++rated)
        m_filter.ratingMask[size_t(rated)] = m_ratings->topLevelItem(rated)->checkState(0) == Qt::Checked;
    m_filter.visitedMode = m_combos[VisitedMode]->currentIndex();
    const bool visitedRead = readCount(m_counts[VisitedCount], m_filter.visitedCount);
    m_filter.accessedMode = m_combos[AccessedMode]->currentIndex();
    const bool accessedRead = readCount(m_counts[AccessedAmount], m_filter.accessedAmount);
    m_filter.accessedUnit = m_combos[AccessedUnit]->currentIndex();

    if (QLineEdit *rejected = !visitedRead ? m_counts[VisitedCount]
            : !accessedRead                ? m_counts[AccessedAmount]
                                           : nullptr) {
        rejected->setFocus(Qt::OtherFocusReason);
        rejected->selectAll();
    }
    emit filterApplied();
}

// Takes the box's number into value when it is a 16-bit whole number; the box
// then shows value. False when the text was rejected.
bool MaskFilterDialog::readCount(QLineEdit *box, int &value)
{
    const std::optional<int> number = DialogText::countValue(box->text());
    if (number)
        value = *number;
    box->setText(QString::number(value));
    return number.has_value();
}
