// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class MainWindow;

// The group commands of the main window with their prompts: new, rename
// (from the group combo or the group list) and remove.
class GroupCommands : public QObject
{
    Q_OBJECT

public:
    explicit GroupCommands(MainWindow &window);

    void newGroup();
    void renameFromCombo();
    void renameFromGroupList();
    // Removes the current group with its entries; with promptUser, asks first
    // when the group holds entries.
    void removeCurrentGroup(bool promptUser);

private:
    static QString renameText();
    QString askGroupName(const QString &title, const QString &defaultText);

    MainWindow &m_window;
};
