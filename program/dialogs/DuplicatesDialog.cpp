// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DuplicatesDialog.h"

#include "EntryRowTexts.h"
#include "ModalDialog.h"
#include "URLBlock.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Title, Address, Group, Created, LastVisited, Visits, Rating, ColumnCount };
constexpr int keyRole = Qt::UserRole;

}  // namespace

DuplicatesDialog::DuplicatesDialog(const URLBlock &store, const std::vector<DuplicateSet> &sets, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDuplicates"));
    setWindowTitle(tr("Duplicates"));
    WindowHelpers::takeMainIcon(this, parent);

    m_sets = new QTreeWidget(this);
    m_sets->setObjectName(QStringLiteral("twSets"));
    m_sets->setAccessibleName(tr("Sets of duplicates"));
    m_sets->setHeaderLabels({tr("Keep / Title"), tr("Address"), tr("Group"), tr("Created"), tr("Last Visited"),
                             tr("Visits"), tr("Rating")});
    m_sets->setUniformRowHeights(true);
    for (size_t i = 0; i < sets.size(); ++i)
        addSet(store, sets[i], int(i) + 1);
    m_sets->expandAll();
    m_sets->header()->resizeSections(QHeaderView::ResizeToContents);
    connect(m_sets, &QTreeWidget::itemChanged, this, &DuplicatesDialog::itemChanged);

    auto *summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setText(sets.empty()
                         ? tr("No duplicates found.")
                         : tr("Sets of entries with the same address: %1. Check the entry to keep in each set "
                              "(Space); Merge keeps it with the earliest creation, the latest visit, the visits "
                              "added up and the highest rating, and removes the others.")
                               .arg(sets.size()));
    summary->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    auto *keepThis = buttons->addButton(tr("&Keep This"), QDialogButtonBox::ActionRole);
    keepThis->setObjectName(QStringLiteral("cmdKeep"));
    keepThis->setAutoDefault(false);
    connect(keepThis, &QPushButton::clicked, this, &DuplicatesDialog::keepCurrent);
    m_merge = buttons->addButton(tr("&Merge"), QDialogButtonBox::AcceptRole);
    m_merge->setObjectName(QStringLiteral("cmdMerge"));
    m_merge->setDefault(true);
    m_merge->setEnabled(!sets.empty());
    keepThis->setEnabled(!sets.empty());
    auto *close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    // Merge asks first; the window stays until the owner closes it.
    connect(buttons, &QDialogButtonBox::accepted, this, &DuplicatesDialog::mergeRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_sets, 1);
    layout->addWidget(buttons);
    resize(960, 440);
}

void DuplicatesDialog::addSet(const URLBlock &store, const DuplicateSet &set, int number)
{
    const URLDatas &entries = store.urlDatas();
    const quint32 kept = Duplicates::defaultKept(entries, set);
    auto *branch = new QTreeWidgetItem(m_sets);
    branch->setFlags(Qt::ItemIsEnabled);
    branch->setText(Title, tr("Set %1: %n entries", nullptr, int(set.keys.size())).arg(number));
    for (quint32 key : set.keys) {
        const URLData *entry = entries.Item(entries.positionOfKey(key));
        if (!entry)
            continue;
        auto *item = new QTreeWidgetItem(branch);
        item->setData(Title, keyRole, key);
        item->setText(Title, entry->Name);
        item->setText(Address, entry->url);
        item->setText(Group, store.IDXList().nameOf(entry->Owner));
        item->setText(Created, entry->Created != 0 ? EntryRowTexts::generalDateText(entry->Created) : QString());
        item->setText(LastVisited, entry->LastAccesed != 0 ? EntryRowTexts::generalDateText(entry->LastAccesed)
                                                           : tr("Never"));
        item->setText(Visits, QString::number(entry->Visited));
        item->setText(Rating, EntryRowTexts::ratingName(entry->Rated));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Title, key == kept ? Qt::Checked : Qt::Unchecked);
        ++m_removed;
    }
    m_removed -= branch->childCount() > 0 ? 1 : 0;
}

std::vector<quint32> DuplicatesDialog::keptKeys() const
{
    std::vector<quint32> kept;
    for (int i = 0; i < m_sets->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *branch = m_sets->topLevelItem(i);
        quint32 key = 0;
        for (int k = 0; k < branch->childCount(); ++k) {
            if (branch->child(k)->checkState(Title) == Qt::Checked)
                key = branch->child(k)->data(Title, keyRole).toUInt();
        }
        kept.push_back(key);
    }
    return kept;
}

void DuplicatesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first entry of the first set is current, so that the keys work at once.
    if (QTreeWidgetItem *first = m_sets->topLevelItem(0); first && first->childCount() > 0)
        m_sets->setCurrentItem(first->child(0));
    m_sets->setFocus(Qt::OtherFocusReason);
}

// Puts the one check mark of the item's set on the item.
void DuplicatesDialog::keep(QTreeWidgetItem *item)
{
    QTreeWidgetItem *branch = item ? item->parent() : nullptr;
    if (!branch)
        return;
    m_marking = true;
    for (int k = 0; k < branch->childCount(); ++k)
        branch->child(k)->setCheckState(Title, branch->child(k) == item ? Qt::Checked : Qt::Unchecked);
    m_marking = false;
}

void DuplicatesDialog::keepCurrent()
{
    keep(m_sets->currentItem());
    m_sets->setFocus(Qt::OtherFocusReason);
}

// A check mark set by the user moves the set's mark there; the one kept
// cannot be unchecked, as every set keeps one entry.
void DuplicatesDialog::itemChanged(QTreeWidgetItem *item, int column)
{
    if (m_marking || column != Title || !item->parent())
        return;
    keep(item);
}
