// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>

class GroupTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class URLBlock;
class URLData;

// The entry editor "URL Information": an entry's title, address, rating and
// group on the first tab, its dates and visit count on the second. It edits
// an entry (editEntry) or collects a new one (createNew); after exec()
// returns Accepted the caller reads the typed values and changes the store.
class EntryEditor : public QDialog
{
    Q_OBJECT

public:
    EntryEditor(const URLBlock &store, QWidget *parent = nullptr);

    // Fields from the entry; the group list at the line of currentGroup (the
    // group shown in the main window), or at no line when it has none.
    void editEntry(const URLData &entry, int currentGroup);
    // Empty title, "http://", "Not Rated", the group list at currentGroup's line.
    void createNew(int currentGroup);
    // Title and address taken from a browser.
    void setCaptured(const QString &title, const QString &url);

    // The key of the entry given to editEntry; empty in the new mode.
    QString editKey() const { return m_editKey; }

    // The fields; title and address are trimmed of blanks by "Accept".
    QString title() const;
    QString url() const;
    // 0 "Not Rated" .. 4 "V.High"; an edited entry's own rating while the
    // list shows none (a rating the list does not have).
    int rating() const;
    // The chosen line's group number; -1 when no line is chosen.
    int group() const;

    // Fills a list with the groups in table order, each line's data its number.
    static void BuildCatCombo(QComboBox *combo, const GroupTable &groups);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeQuickEditPage();
    QWidget *makeExtendedPage();
    QLayout *makeButtons();
    void selectGroup(int currentGroup);
    void acceptEntry();

    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_url = nullptr;
    QComboBox *m_rating = nullptr;
    QComboBox *m_group = nullptr;
    QLabel *m_created = nullptr;
    QLabel *m_lastVisit = nullptr;
    QLabel *m_visits = nullptr;
    QString m_editKey;
    int m_ownRating = 0;
};
