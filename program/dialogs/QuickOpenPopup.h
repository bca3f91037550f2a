// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QTreeWidget;

// "Quick Open": a search field over a list of the best matching entries,
// searched again at each keystroke. Up and Down (Page Up, Page Down) move in
// the list while the field keeps the typing; Enter (or a double click)
// chooses the current entry to open, Alt+Enter to edit; Escape closes the
// window with nothing chosen.
class QuickOpenPopup : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { None, Open, Edit };

    struct Row
    {
        quint32 key = 0;
        QString title;
        QString address;
        QString group;
    };
    struct Found
    {
        std::vector<Row> rows;  // the best matches, best first
        qsizetype total = 0;    // how many entries matched in all
    };
    // The search the window runs for a text.
    using Search = std::function<Found(const QString &text)>;

    explicit QuickOpenPopup(Search search, QWidget *parent = nullptr);

    // Puts text in the field (the key typed into a list) and searches.
    void start(const QString &text);
    Choice choice() const { return m_choice; }
    // The chosen entry's key; 0 with nothing chosen.
    quint32 chosenKey() const { return m_chosenKey; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void searchAgain();
    void choose(Choice choice);
    QString noteFor(const QString &text, const Found &found) const;

    Search m_search;
    QLineEdit *m_field = nullptr;
    QTreeWidget *m_results = nullptr;
    QLabel *m_note = nullptr;
    Choice m_choice = Choice::None;
    quint32 m_chosenKey = 0;
};
