// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopClipboard.h"

DesktopClipboard::DesktopClipboard(ClipboardAccess &clipboard)
    : m_clipboard(clipboard)
{ }

void DesktopClipboard::clear()
{
    keepOriginal();
    m_clipboard.clear();
}

void DesktopClipboard::setText(const QString &text)
{
    keepOriginal();
    m_clipboard.setText(text);
}

QString DesktopClipboard::text()
{
    return m_clipboard.text();
}

QString DesktopClipboard::waitForChange(const QString &before, int waitMs)
{
    return m_clipboard.waitForChange(before, waitMs);
}

ClipboardContents DesktopClipboard::save()
{
    return m_clipboard.save();
}

void DesktopClipboard::restore(const ClipboardContents &contents)
{
    m_clipboard.restore(contents);
    m_original.reset();
}

void DesktopClipboard::putBack()
{
    if (m_original)
        restore(*m_original);
}

void DesktopClipboard::keepOriginal()
{
    if (!m_original)
        m_original = m_clipboard.save();
}
