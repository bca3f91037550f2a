// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPixmap;
class QRadioButton;

// The "General" page: the startup shortcut, the main window on top, the tab
// placement and the active icon (the floating button) with its options.
class OptionsGeneralPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsGeneralPage(QWidget *parent = nullptr);

    // Fills the controls; the active-icon options are then made consistent.
    void load(const OptionsValues &values, bool startupShortcut);
    // tP, mAOT, iAOT, dTI, hAI and aI from the controls.
    void store(OptionsValues &values) const;

    bool startupChecked() const;
    void setStartupChecked(bool checked);
    bool activeIconChecked() const;
    bool hideUntilOnlineChecked() const;

    // The floating button's picture; a null pixmap shows none.
    void setPicture(const QPixmap &picture);

    // Applies the active-icon rules (OptionsRules) to the four check boxes.
    void updateActiveIconFlags();

private:
    void buildGeneral();
    void buildTabPlacement();
    void buildActiveIcon();

    QCheckBox *m_chkSTUP = nullptr;
    QCheckBox *m_chkMAOT = nullptr;
    QList<QRadioButton *> m_option2;
    QCheckBox *m_chkUAI = nullptr;
    QCheckBox *m_chkIAOT = nullptr;
    QCheckBox *m_chkHUC = nullptr;
    QCheckBox *m_chkDTI = nullptr;
    QLabel *m_picture2 = nullptr;
};
