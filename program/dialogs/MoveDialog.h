// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class GroupTable;
class QComboBox;

// The move window "Move to...": picks the group that the selected entries
// move into. "Accept" accepts; closing the window any other way rejects.
class MoveDialog : public QDialog
{
    Q_OBJECT

public:
    MoveDialog(const GroupTable &groups, QWidget *parent = nullptr);

    // The chosen group's number; -1 when there is no group to choose.
    int group() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *m_groups = nullptr;
};
