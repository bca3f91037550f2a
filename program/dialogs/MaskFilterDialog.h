// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QTreeWidget;
struct ViewFilter;

// The mask filter dialog "Mask Filters": which ratings are listed, the
// visit-count filter and the last-visit filter. "Filter" writes them into the
// view filter and announces it; the dialog stays open until cancelled.
class MaskFilterDialog : public QDialog
{
    Q_OBJECT

public:
    MaskFilterDialog(ViewFilter &filter, QWidget *parent = nullptr);

signals:
    // The filter has new settings: the list is to be refreshed.
    void filterApplied();

private:
    QWidget *makeRatingList();
    QLayout *makeCountFilters();
    QLayout *makeButtons();
    // name: for assistive technology (the heading above, and what it holds).
    QComboBox *makeCombo(int index, const QStringList &items, const QString &name);
    QLineEdit *makeCountBox(int index, const QString &name);
    void loadFilter();
    void setAllRatings(bool checked);
    void applyFilter();
    bool readCount(QLineEdit *box, int &value);

    ViewFilter &m_filter;
    QTreeWidget *m_ratings = nullptr;
    std::array<QComboBox *, 3> m_combos {};
    std::array<QLineEdit *, 2> m_counts {};
};
