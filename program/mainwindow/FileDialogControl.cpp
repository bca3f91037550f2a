// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileDialogControl.h"

#include "Prompter.h"

FileDialogControl::FileDialogControl(Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("dlgDialog"));
}

bool FileDialogControl::ShowOpen()
{
    m_fileName = m_prompter.openFileName(m_title, m_filter);
    return !m_fileName.isEmpty();
}

bool FileDialogControl::ShowSave()
{
    m_fileName = m_prompter.saveFileName(m_title, m_filter);
    return !m_fileName.isEmpty();
}
