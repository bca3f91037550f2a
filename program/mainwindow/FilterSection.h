// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SlideSection.h"
#include "ViewFilter.h"

#include <QList>
#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLineEdit;

// The filter section of the main window's index panel: the viewport
// "indexBox" showing the scrolling panel "filter3Box", which holds five
// collapsible sections stacked without gaps: importance masks, visited,
// last accessed, added and text masking. Dragging the panel with the left
// button (or the mouse wheel) scrolls it within the viewport.
//
// The controls only show filter settings: loadFilter fills them and
// applyFilter reads them back, as the "Apply Filter" command does.
class FilterSection : public QWidget
{
    Q_OBJECT

public:
    static constexpr int sectionCount = 5;
    static constexpr int ratingBoxCount = 5;

    explicit FilterSection(QWidget *parent = nullptr);

    ~FilterSection() override;

    // Sets the mode, count/amount and unit controls from filter. A mode or
    // unit out of the combos' range shows the first item.
    void loadFilter(const ViewFilter &filter);

    // Reads the controls into filter in this order: the rating mask (as
    // syncRatingMask with store true), visited mode and count, added mode,
    // amount and unit, accessed mode, amount and unit. A count or amount box
    // that does not hold a whole number from -32768 to 32767 (blanks around
    // allowed) leaves its setting as it was. Every box then shows its setting.
    // Returns the rejected boxes in reading order; empty when all were read.
    QList<QLineEdit *> applyFilter(ViewFilter &filter);

    // store true: rating i of filter's mask is shown exactly when box i is
    // checked (ratings 0 to 4; rating 5 is left alone). store false: box i is
    // checked exactly when rating i is shown.
    void syncRatingMask(ViewFilter &filter, bool store);
    // Checks or unchecks all rating boxes; no mask changes until applied.
    void setRatingBoxes(bool checked);

    // Opens or closes section (flipping its state when toggle is true, else
    // keeping it) and restacks the sections below it.
    void slideBump(int section, bool toggle);
    bool isSectionOpen(int section) const;
    // Bit i set when section i is open.
    int slideMask() const;
    void setSlideMask(int mask);

    QString textMask() const;
    void clearTextMask();

    QSize sizeHint() const override;

signals:
    // Enter was pressed in the text mask box.
    void textMaskEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QFrame *addSection(const QString &caption, const QString &contentName);
    void fillRatingFrame(QFrame *frame);
    // Fills frame with a mode combo over a row holding a count box; returns
    // the row, for the control that follows the box.
    QHBoxLayout *fillCountFrame(QFrame *frame, int modeCombo, int countBox);
    QComboBox *makeCombo(int index, const QStringList &items, QWidget *parent);
    // Names for assistive technology, where no caption names a control.
    void nameControls();

    void restack();
    void scrollTo(int top);
    void showFocusedControl(QWidget *now);

    QWidget *m_panel;
    std::vector<SlideSection> m_sections;
    std::array<QCheckBox *, ratingBoxCount> m_ratingBoxes {};
    std::array<QComboBox *, 5> m_combos {};
    std::array<QLineEdit *, 3> m_countBoxes {};
    QLineEdit *m_textMask = nullptr;

    QMetaObject::Connection m_focusConnection;
    bool m_dragging = false;
    qreal m_dragStartY = 0;
    int m_dragStartTop = 0;
};
