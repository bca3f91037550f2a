// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChosenFileDialog.h"

ChosenFileDialog::ChosenFileDialog(const QString &chosen, QObject *form)
    : QObject(form)
    , m_chosen(chosen)
{
    setObjectName(QStringLiteral("dlgDialog"));
}

bool ChosenFileDialog::ShowOpen()
{
    m_fileName = m_chosen;
    return true;
}
