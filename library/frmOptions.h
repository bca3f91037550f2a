// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QDialog>

class OptionsBrowserPage;
class OptionsGeneralPage;
class OptionsInternetPage;
class OptionsSessionPage;
class QPixmap;
class QPushButton;
class QStackedWidget;
class QTabBar;

// The options dialog: the tab strip tbsOptions over four pages (picOptions_0
// to picOptions_3: General, Browser, Session, Internet; each scrolls where the
// screen is too small for it) and the buttons OK,
// Cancel, Apply and Help. "Apply" and "OK" raise ApplyCurrent; the owner
// reads the controls back then. Ctrl+Tab goes to the next tab, from the last
// to the first.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(QWidget *parent = nullptr);
    ~frmOptions() override;

    // Fills every page.
    void load(const OptionsValues &values, bool startupShortcut);
    // The settings as the controls hold them; values gives what no control
    // changes (an option group with nothing checked).
    OptionsValues values(const OptionsValues &current) const;

    OptionsGeneralPage *generalPage() const { return m_general; }
    void setPicture(const QPixmap &picture);

    // Set by "OK" (the dialog is closing), cleared when it is shown again.
    bool closing() const { return m_closing; }
    void setClosing(bool closing) { m_closing = closing; }

    int currentTab() const;
    // Shows the page of tab (0 to 3); the other pages are disabled.
    void selectTab(int tab);
    // Sizes the dialog as its pages need, but no larger than the screen's
    // available area (its pages scroll then), and places it in the middle.
    void placeOnScreen();

signals:
    // "Apply" or "OK": the controls hold the settings to apply.
    void ApplyCurrent();
    // "Help": the help context of the shown tab.
    void HelpRequested(int contextId);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void buildTabs();
    QPushButton *button(const char *name, const QString &caption);
    // The dialog's size for a screen area of available (logical pixels).
    QSize fittedSize(const QSize &available) const;

    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_pages = nullptr;
    OptionsGeneralPage *m_general = nullptr;
    OptionsBrowserPage *m_browser = nullptr;
    OptionsSessionPage *m_session = nullptr;
    OptionsInternetPage *m_internet = nullptr;
    bool m_closing = false;
};
