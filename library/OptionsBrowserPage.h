// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QList>
#include <QWidget>

class QRadioButton;

// The "Browser" page: the preferred browser, and where added URLs are also
// stored. The keystroke way of reading and opening addresses (uSK, "IE3
// Compatibility" on Windows) is not offered here: it keeps its stored value.
class OptionsBrowserPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsBrowserPage(QWidget *parent = nullptr);

    void load(const OptionsValues &values);
    // pB and cAF from the controls.
    void store(OptionsValues &values) const;

private:
    QList<QRadioButton *> m_option1;
    QList<QRadioButton *> m_optAF;
};
