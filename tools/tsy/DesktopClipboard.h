// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ClipboardAccess.h"

#include <optional>

// The desktop's clipboard for one tsy command: what the command changes on it
// can be undone by putBack(), which puts back what it held before.
class DesktopClipboard : public ClipboardAccess
{
public:
    explicit DesktopClipboard(ClipboardAccess &clipboard);

    void clear() override;
    void setText(const QString &text) override;
    QString text() override;
    QString waitForChange(const QString &before, int waitMs) override;
    ClipboardContents save() override;
    void restore(const ClipboardContents &contents) override;

    // Whether the command changed the clipboard and did not restore it since.
    bool changed() const { return m_original.has_value(); }
    // Restores what the clipboard held before the command changed it, if it did.
    void putBack();

private:
    void keepOriginal();

    ClipboardAccess &m_clipboard;
    std::optional<ClipboardContents> m_original;
};
