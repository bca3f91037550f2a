#pragma once

#include "UrlOpener.h"

// Opens an address with the desktop's default handler: "xdg-open URL",
// started detached with the URL as its one argument. An invalid or relative
// URL, and a file address that names a program or a desktop launcher, start
// nothing: a local file is to be shown, never run.
class DesktopUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url, QString *error) override;

    static QString program() { return QStringLiteral("xdg-open"); }

    // Whether a desktop's handler would run the local file rather than show
    // it: a desktop entry, or a file that may be executed.
    static bool isRunnable(const QString &localPath);
};
