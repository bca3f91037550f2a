// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QuickOpenPopup.h"

#include "ModalDialog.h"
#include "QuickOpenIndex.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Title, Address, Group };
constexpr int keyRole = Qt::UserRole;
// A cell shows at most this much of a text.
constexpr qsizetype shownLength = 300;

QString shown(const QString &text)
{
    return text.size() > shownLength ? text.left(shownLength) + QChar(0x2026) : text;
}

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

QuickOpenPopup::QuickOpenPopup(Search search, QWidget *parent)
    : QDialog(parent)
    , m_search(std::move(search))
{
    setObjectName(QStringLiteral("frmQuickOpen"));
    setWindowTitle(tr("Quick Open"));
    WindowHelpers::takeMainIcon(this, parent);

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("txtQuickOpen"));
    m_field->setAccessibleName(tr("Search text"));
    m_field->setPlaceholderText(tr("Words of a title or address"));
    m_field->setClearButtonEnabled(true);

    m_results = new QTreeWidget(this);
    m_results->setObjectName(QStringLiteral("twQuickOpen"));
    m_results->setAccessibleName(tr("Matching entries"));
    m_results->setHeaderLabels({tr("Title"), tr("Address"), tr("Group")});
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setAllColumnsShowFocus(true);
    m_results->setFocusPolicy(Qt::NoFocus);  // the typing stays in the field
    m_results->header()->resizeSection(Title, 300);
    m_results->header()->resizeSection(Address, 300);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblQuickOpen"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_field);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_note);
    resize(760, 420);

    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &QuickOpenPopup::searchAgain);
    connect(m_results, &QTreeWidget::itemDoubleClicked, this, [this] { choose(Choice::Open); });
}

void QuickOpenPopup::start(const QString &text)
{
    m_field->setText(text);
    // An empty text changes nothing, so it is searched here.
    if (text.isEmpty())
        searchAgain();
    m_field->setFocus();
}

void QuickOpenPopup::searchAgain()
{
    const QString text = m_field->text();
    const Found found = m_search(text);
    QList<QTreeWidgetItem *> items;
    items.reserve(qsizetype(found.rows.size()));
    for (const Row &row : found.rows) {
        auto *item = new QTreeWidgetItem({shown(row.title), shown(row.address), shown(row.group)});
        item->setData(Title, keyRole, row.key);
        items.append(item);
    }
    m_results->clear();
    m_results->addTopLevelItems(items);
    if (!items.isEmpty())
        m_results->setCurrentItem(items.first());
    m_note->setText(noteFor(text, found));
}

QString QuickOpenPopup::noteFor(const QString &text, const Found &found) const
{
    QString note;
    if (found.total == 0)
        note = tr("No entry matches.");
    else if (qsizetype(found.rows.size()) < found.total)
        note = tr("The best %1 of %n matching entries.", nullptr, int(found.total)).arg(found.rows.size());
    else
        note = tr("%n matching entry(s).", nullptr, int(found.total));
    if (QuickOpenIndex::isCut(text))
        note += QLatin1Char(' ') + tr("Only the first %1 characters are searched.").arg(QuickOpenIndex::maxQueryLength);
    return note;
}

void QuickOpenPopup::choose(Choice choice)
{
    const QTreeWidgetItem *item = m_results->currentItem();
    if (!item)
        return;
    m_choice = choice;
    m_chosenKey = item->data(Title, keyRole).toUInt();
    accept();
}

bool QuickOpenPopup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::FocusIn
        && static_cast<QFocusEvent *>(event)->reason() == Qt::TabFocusReason) {
        // A dialog being shown hands its focus widget the focus as if by Tab,
        // and a line edit then selects its text: the letter typed into a list
        // that opened this window would be replaced by the next one typed.
        QFocusEvent keepingCursor(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(m_field, &keepingCursor);
        return true;
    }
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (isEnter(key) && (modifiers == Qt::NoModifier || modifiers == Qt::AltModifier)) {
        choose(modifiers == Qt::AltModifier ? Choice::Edit : Choice::Open);
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // The list moves its current row; the field keeps the focus.
        QApplication::sendEvent(m_results, event);
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}
