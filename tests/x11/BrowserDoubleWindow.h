// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// A browser's main window as far as the address capture and launch see it: a
// title "<page title><suffix>", an address bar that Alt+D, Ctrl+L and F6
// select (Ctrl+C and Ctrl+V then copy and paste as in any line edit), Enter
// in the address bar "navigates": the page title becomes the address, and
// the address is appended as a line to the record file. Escape gives the
// focus back to the page.
class BrowserDoubleWindow : public QWidget
{
    Q_OBJECT

public:
    BrowserDoubleWindow(const QString &title, const QString &url, const QString &suffix,
                        const QString &recordFile);

    void setVisible(bool visible) override;

private:
    void applyTitle();
    void selectAddress();
    void navigate();
    void showPage(const QString &title);

    QLineEdit *m_address;
    QLabel *m_page;
    QString m_suffix;
    QString m_recordFile;
};
