#pragma once

#include <QString>

// The desktop's clipboard as text.
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
};
