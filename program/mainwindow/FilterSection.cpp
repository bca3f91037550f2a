// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FilterSection.h"

#include "DialogText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

namespace {

// Indexes of the combos (Combo3_<i>) and count boxes (Text2_<i>).
enum Combo { VisitedMode = 0, AccessedMode = 1, AccessedUnit = 2, AddedMode = 3, AddedUnit = 4 };
enum CountBox { VisitedCount = 0, AccessedAmount = 1, AddedAmount = 2 };

constexpr int panelWidthHint = 200;

QString indexedName(const char *name, int index)
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(index);
}

void setComboIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

// Takes the box's whole number into value when it lies in the 16-bit range;
// otherwise value is kept. The box then shows value. False when rejected.
bool readCountBox(QLineEdit *box, int &value)
{
    const std::optional<int> number = DialogText::countValue(box->text());
    if (number)
        value = *number;
    box->setText(QString::number(value));
    return number.has_value();
}

}  // namespace

FilterSection::FilterSection(QWidget *parent)
    : QWidget(parent)
    , m_panel(new QWidget(this))
{
    setObjectName(QStringLiteral("indexBox"));
    m_panel->setObjectName(QStringLiteral("filter3Box"));
    m_sections.reserve(sectionCount);

    const QStringList units {tr("Days"), tr("Weeks"), tr("Months")};

    fillRatingFrame(addSection(tr("Importance Masks"), QStringLiteral("Frame2")));

    QFrame *visited = addSection(tr("Visited"), QStringLiteral("visitedFrame"));
    fillCountFrame(visited, VisitedMode, VisitedCount)->addWidget(new QLabel(tr("Times"), visited));

    QFrame *accessed = addSection(tr("Last Accessed"), QStringLiteral("accessedFrame"));
    fillCountFrame(accessed, AccessedMode, AccessedAmount)
        ->addWidget(makeCombo(AccessedUnit, units, accessed));

    QFrame *added = addSection(tr("Added"), QStringLiteral("addedFrame"));
    fillCountFrame(added, AddedMode, AddedAmount)->addWidget(makeCombo(AddedUnit, units, added));

    QFrame *text = addSection(tr("Text Masking"), QStringLiteral("Frame4"));
    m_textMask = new QLineEdit(text);
    m_textMask->setObjectName(QStringLiteral("txtFilter"));
    (new QVBoxLayout(text))->addWidget(m_textMask);
    // QLineEdit reports both Return and keypad Enter as returnPressed.
    connect(m_textMask, &QLineEdit::returnPressed, this, &FilterSection::textMaskEntered);
    nameControls();

    // The content frames ask their parent, the panel, to lay out again when
    // their size hints change (fonts, styles).
    m_panel->installEventFilter(this);
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget *, QWidget *now) { showFocusedControl(now); });
    restack();
}

FilterSection::~FilterSection()
{
    // Focus moves while the children are destroyed; this object is gone by then.
    disconnect(m_focusConnection);
}

void FilterSection::loadFilter(const ViewFilter &filter)
{
    setComboIndex(m_combos[VisitedMode], filter.visitedMode);
    m_countBoxes[VisitedCount]->setText(QString::number(filter.visitedCount));
    setComboIndex(m_combos[AccessedMode], filter.accessedMode);
    m_countBoxes[AccessedAmount]->setText(QString::number(filter.accessedAmount));
    setComboIndex(m_combos[AccessedUnit], filter.accessedUnit);
    setComboIndex(m_combos[AddedMode], filter.addedMode);
    m_countBoxes[AddedAmount]->setText(QString::number(filter.addedAmount));
    setComboIndex(m_combos[AddedUnit], filter.addedUnit);
}

QList<QLineEdit *> FilterSection::applyFilter(ViewFilter &filter)
{
    QList<QLineEdit *> rejected;
    const auto read = [&rejected](QLineEdit *box, int &value) {
        if (!readCountBox(box, value))
            rejected.append(box);
    };

    syncRatingMask(filter, true);
    filter.visitedMode = m_combos[VisitedMode]->currentIndex();
    read(m_countBoxes[VisitedCount], filter.visitedCount);
    filter.addedMode = m_combos[AddedMode]->currentIndex();
    read(m_countBoxes[AddedAmount], filter.addedAmount);
    filter.addedUnit = m_combos[AddedUnit]->currentIndex();
    filter.accessedMode = m_combos[AccessedMode]->currentIndex();
    read(m_countBoxes[AccessedAmount], filter.accessedAmount);
    filter.accessedUnit = m_combos[AccessedUnit]->currentIndex();
    return rejected;
}

void FilterSection::syncRatingMask(ViewFilter &filter, bool store)
{
    for (int i = 0; i < ratingBoxCount; ++i) {
        if (store)
            filter.ratingMask[size_t(i)] = m_ratingBoxes[size_t(i)]->isChecked();
        else
            m_ratingBoxes[size_t(i)]->setChecked(filter.ratingMask[size_t(i)]);
    }
}

void FilterSection::setRatingBoxes(bool checked)
{
    for (QCheckBox *box : m_ratingBoxes)
        box->setChecked(checked);
}

void FilterSection::slideBump(int section, bool toggle)
{
    if (section < 0 || section >= sectionCount)
        return;
    SlideSection &slide = m_sections[size_t(section)];
    if (toggle)
        slide.setOpen(!slide.isOpen());
    restack();
}

bool FilterSection::isSectionOpen(int section) const
{
    return section >= 0 && section < sectionCount && m_sections[size_t(section)].isOpen();
}

int FilterSection::slideMask() const
{
    int mask = 0;
    for (int i = 0; i < sectionCount; ++i) {
        if (isSectionOpen(i))
            mask |= 1 << i;
    }
    return mask;
}

void FilterSection::setSlideMask(int mask)
{
    for (int i = 0; i < sectionCount; ++i)
        m_sections[size_t(i)].setOpen(mask & (1 << i));
    restack();
}

QString FilterSection::textMask() const
{
    return m_textMask->text();
}

void FilterSection::clearTextMask()
{
    m_textMask->clear();
}

QSize FilterSection::sizeHint() const
{
    int width = panelWidthHint;
    for (const SlideSection &section : m_sections)
        width
            = std::max({width, section.header()->sizeHint().width(), section.content()->sizeHint().width()});
    return {width, m_panel->height()};
}

bool FilterSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::LayoutRequest)
        restack();
    return QWidget::eventFilter(watched, event);
}

void FilterSection::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    restack();
}

// Presses and moves that the panel, a frame or a label leave unhandled reach
// the viewport, so a drag anywhere on them scrolls the panel.
void FilterSection::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragStartY = event->globalPosition().y();
    m_dragStartTop = m_panel->y();
    event->accept();
}

void FilterSection::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    scrollTo(m_dragStartTop + qRound(event->globalPosition().y() - m_dragStartY));
    event->accept();
}

void FilterSection::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void FilterSection::wheelEvent(QWheelEvent *event)
{
    int delta = event->pixelDelta().y();
    if (delta == 0)
        delta = event->angleDelta().y() * QApplication::wheelScrollLines() * fontMetrics().height() / 120;
    scrollTo(m_panel->y() + delta);
    event->accept();
}

QFrame *FilterSection::addSection(const QString &caption, const QString &contentName)
{
    const int index = int(m_sections.size());
    const SlideSection &section = m_sections.emplace_back(index, caption, contentName, m_panel);
    connect(section.button(), &QToolButton::clicked, this, [this, index] { slideBump(index, true); });
    return section.content();
}

void FilterSection::fillRatingFrame(QFrame *frame)
{
    const QString names[ratingBoxCount]
        = {tr("Not Rated"), tr("Low"), tr("Medium"), tr("High"), tr("Very High")};
    auto *layout = new QVBoxLayout(frame);
    for (int i = 0; i < ratingBoxCount; ++i) {
        auto *box = new QCheckBox(names[i], frame);
        box->setObjectName(indexedName("ratedBox", i));
        box->setChecked(true);  // as the default mask
        layout->addWidget(box);
        m_ratingBoxes[size_t(i)] = box;
    }

    auto *clear = new QPushButton(tr("Clear", "uncheck every rating"), frame);
    clear->setObjectName(indexedName("cmdIndex", 4));
    connect(clear, &QPushButton::clicked, this, [this] { setRatingBoxes(false); });
    auto *set = new QPushButton(tr("Set", "check every rating"), frame);
    set->setObjectName(indexedName("cmdIndex", 5));
    connect(set, &QPushButton::clicked, this, [this] { setRatingBoxes(true); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(set);
    layout->addLayout(buttons);
}

QHBoxLayout *FilterSection::fillCountFrame(QFrame *frame, int modeCombo, int countBox)
{
    const QStringList modes {tr("OFF"), tr("More Than"), tr("Less Than"), tr("Equal To")};
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(makeCombo(modeCombo, modes, frame));

    auto *box = new QLineEdit(QStringLiteral("0"), frame);
    box->setObjectName(indexedName("Text2", countBox));
    m_countBoxes[size_t(countBox)] = box;

    auto *row = new QHBoxLayout;
    row->addWidget(box);
    layout->addLayout(row);
    return row;
}

QComboBox *FilterSection::makeCombo(int index, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(indexedName("Combo3", index));
    combo->addItems(items);
    m_combos[size_t(index)] = combo;
    return combo;
}

void FilterSection::nameControls()
{
    const std::pair<QWidget *, QString> names[] = {
        {m_combos[VisitedMode], tr("Visited: comparison")},
        {m_countBoxes[VisitedCount], tr("Visited: times")},
        {m_combos[AccessedMode], tr("Last Accessed: comparison")},
        {m_countBoxes[AccessedAmount], tr("Last Accessed: amount")},
        {m_combos[AccessedUnit], tr("Last Accessed: unit")},
        {m_combos[AddedMode], tr("Added: comparison")},
        {m_countBoxes[AddedAmount], tr("Added: amount")},
        {m_combos[AddedUnit], tr("Added: unit")},
        {m_textMask, tr("Title holds")},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(name);
}

void FilterSection::restack()
{
    const int width = this->width();
    int bottom = 0;
    for (const SlideSection &section : m_sections)
        bottom = section.place(bottom, width);

    if (m_panel->height() != bottom)
        updateGeometry();
    m_panel->resize(width, bottom);
    scrollTo(m_panel->y());
}

// The panel's top never goes below the viewport's top, and its bottom never
// above the viewport's bottom unless the panel is the shorter one.
void FilterSection::scrollTo(int top)
{
    const int highest = qMin(0, height() - m_panel->height());
    m_panel->move(0, qBound(highest, top, 0));
}

// Keeps a control that gets the focus (by the keyboard, say) in view.
void FilterSection::showFocusedControl(QWidget *now)
{
    if (!now || !m_panel->isAncestorOf(now))
        return;
    const QRect area(now->mapTo(m_panel, QPoint(0, 0)), now->size());
    const int top = m_panel->y();
    if (top + area.top() < 0)
        scrollTo(-area.top());
    else if (top + area.top() + area.height() > height())
        scrollTo(height() - area.top() - area.height());
}
