// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QWidget>

class QCheckBox;

// The "Session" page: what is loaded when a session starts (and whether a
// connection starts one) and what is saved when it ends.
class OptionsSessionPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsSessionPage(QWidget *parent = nullptr);

    void load(const OptionsValues &values);
    // aLS, aLU, oC, aSS and aSU from the controls.
    void store(OptionsValues &values) const;

private:
    QCheckBox *m_chkALS = nullptr;
    QCheckBox *m_chkALU = nullptr;
    QCheckBox *m_chkRAC = nullptr;
    QCheckBox *m_chkASS = nullptr;
    QCheckBox *m_chkASU = nullptr;
};
