// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "URLData.h"

QString URLData::ID() const
{
    return keyText(m_key);
}

QString URLData::keyText(quint32 keyNumber)
{
    return QString::number(keyNumber).rightJustified(5, QLatin1Char('0'));
}
