// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;

// The about box: the program's picture and its version ("Version 0.1a").
// A click on the box or its picture, or releasing Escape, closes it; other
// keys do nothing.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Set before the box loads (load()).
    QString appPath;
    int appMajor = 0;
    int appMinor = 0;
    int appRevision = 0;

    // Caption, picture and version label from the values above. Without a
    // readable picture the picture is hidden and the box still shows.
    void load();

    // The box is shown with its middle (its frame's) at centre.
    void centreAt(QPoint centre);

    // "<leading word> <major>.<minor>a".
    static QString versionText(int major, int minor);

protected:
    void showEvent(QShowEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QLabel *m_picture1 = nullptr;
    QLabel *m_lblVersion = nullptr;
    QPoint m_centre;
};
