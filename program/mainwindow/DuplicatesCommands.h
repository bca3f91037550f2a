// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <vector>

class DuplicatesDialog;
struct DuplicateSet;
class MainWindow;

// "Duplicates" (URLs menu): shows the sets of entries that hold the same
// page and, after one confirmation, merges each into the entry the user
// keeps, as one change of the store.
class DuplicatesCommands : public QObject
{
    Q_OBJECT

public:
    explicit DuplicatesCommands(MainWindow &window);

    void showDuplicates();

private:
    void mergeChosen(DuplicatesDialog &dialog, const std::vector<DuplicateSet> &sets);

    MainWindow &m_window;
};
