// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QList>
#include <QWidget>

class QRadioButton;

// The "Internet" page: how the connection is watched.
class OptionsInternetPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsInternetPage(QWidget *parent = nullptr);

    void load(const OptionsValues &values);
    // mT from the controls.
    void store(OptionsValues &values) const;

private:
    QList<QRadioButton *> m_optMonitor;
};
