#pragma once

#include "ClipboardAccess.h"

class QClipboard;

// The clipboard through QClipboard. Without a QGuiApplication (a command-line
// program) there is no clipboard: it reads as empty and takes nothing.
class QtClipboardAccess : public ClipboardAccess
{
public:
    void clear() override;
    void setText(const QString &text) override;
    QString text() override;
    QString waitForChange(const QString &before, int waitMs) override;

private:
    static QClipboard *clipboard();
};
