// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// The about box and the two outward links of the tray menu: the maker's
// mail address and the product's web page.
class uAbout : public QObject
{
    Q_OBJECT

public:
    explicit uAbout(QObject *parent = nullptr);

    // Shows frmAbout modally with the program's folder and version. centre:
    // in the middle of the screen; otherwise centred over ofrm (its frame,
    // read by name as "frameGeometry"), even where that leaves the box
    // partly off the screen. Returns when the box has closed.
    Q_INVOKABLE void showAbout(QObject *ofrm, const QString &aPath, int aMajor, int aMinor, int aRevision,
                               bool centre);

    // action 0 opens the maker's mail address, 1 the product's web page, in
    // the desktop's handler (one argument, no shell); any other does nothing.
    // False when nothing was started.
    Q_INVOKABLE bool sDo(QObject *window, int action);

    // The address of an action; "" for any other number.
    Q_INVOKABLE static QString address(int action);
};
