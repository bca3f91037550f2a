// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class MainWindow;
class MergeCommands;

// The main window's XBEL commands: "Merge From" > "XBEL", through the
// library's merge object as the other merges go, and "Save URLs" > "Save As
// XBEL". What failed is said in the status bar.
class XbelCommands : public QObject
{
    Q_OBJECT

public:
    static const QString filter;

    XbelCommands(MainWindow &window, MergeCommands &merges);

    void mergeXbel();
    // "" when cancelled or not written.
    QString saveAsXbel();

private:
    QString askSaveName();

    MainWindow &m_window;
    MergeCommands &m_merges;
};
