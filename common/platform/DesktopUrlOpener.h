// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // it: a desktop entry (named so, or beginning with its "[Desktop Entry]"
    // group), or a file that may be executed; symbolic links are followed.
    static bool isRunnable(const QString &localPath);
    // The same for a file address, whose path is taken as a local path
    // whatever host it names ("file://localhost/usr/bin/x" is /usr/bin/x, and
    // a handler may ignore any other host too). False for other addresses.
    static bool isRunnable(const QUrl &url);
};
