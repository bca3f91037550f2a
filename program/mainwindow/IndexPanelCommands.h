// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class MainWindow;

// The index panel's controls: the mode arrows and "Menu", the group list's
// choice and pop-up menu, "Set All", "CLR", "Filter", "Apply Filter", the
// text mask's Enter and the flip button.
class IndexPanelCommands : public QObject
{
    Q_OBJECT

public:
    explicit IndexPanelCommands(MainWindow &window);

    // The previous (-1) or next (+1) mode; the text mask is emptied.
    void stepAdvMode(int step);
    // "Filter": the checked rows become the index mask, and the list follows.
    void applyIndexChecks();
    // "Apply Filter": the filter section's controls become the filter.
    void applyFilterSettings();
    // "Set All" (true) and "CLR" (false): every row and group.
    void setAllInIndexMask(bool inMask);

private:
    static QString indexMaskText();
    void clickGroupInList();
    void chooseGroupInList();

    MainWindow &m_window;
};
