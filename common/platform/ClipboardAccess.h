// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ClipboardContents.h"

#include <QString>

// The desktop's clipboard as text, and as whole contents to be put back.
class ClipboardAccess
{
public:
    virtual ~ClipboardAccess() = default;

    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() = 0;
    // Waits (processing events) up to waitMs for the clipboard's text to
    // differ from before, and returns the text then; "" when it did not
    // change, so that a stale text is never taken for a new one.
    virtual QString waitForChange(const QString &before, int waitMs) = 0;

    // Everything the clipboard holds now, in every format its owner offers.
    virtual ClipboardContents save() = 0;
    // Makes the clipboard hold contents again (nothing when they are empty),
    // for as long as no other program takes it, also after this process ends
    // where the implementation can see to that.
    virtual void restore(const ClipboardContents &contents) = 0;
};
