// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTreeWidget>

class GroupTable;

// The index panel's group list: one row a group, its text the group's name,
// its tag the group's number, checked when the group is in the index mask.
// It takes the entry lists' find keys and dropped addresses too.
class GroupListWidget : public QTreeWidget
{
    Q_OBJECT

public:
    static constexpr int NumberRole = Qt::UserRole + 1;

    explicit GroupListWidget(QWidget *parent = nullptr);

    // Every group of the table; with check boxes that show the index mask.
    void fill(const GroupTable &groups, bool withCheckBoxes);
    void appendGroup(const QString &name, int number, bool checked, bool withCheckBox);

    // The tag of the selected row; -1 when no row is selected.
    int selectedGroup() const;
    // Selects the row of a group and scrolls it into view; false when no row has it.
    bool selectGroup(int number);
    void renameGroup(int number, const QString &name);
    void removeGroup(int number);

    // The groups' numbers with their rows' check marks.
    QList<QPair<int, bool>> checkMarks() const;
    void setAllChecked(bool checked);

signals:
    // The user chose a row with the arrow keys (or Page Up/Down, Home, End).
    void groupChosen(int number);
    // The user clicked a row with the left button.
    void groupClicked(int number);
    // The right button, the Menu key or Shift+F10.
    void contextMenuWanted(const QPoint &globalPos);
    // Ctrl+F (0 "Find"), Ctrl+N (1 "Find Next"), Ctrl+P (2 "Find Previous").
    void findKeyPressed(int item);
    // Text was dropped on the list: an address to add.
    void addressDropped(const QString &address);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTreeWidgetItem *itemOf(int number) const;
};
