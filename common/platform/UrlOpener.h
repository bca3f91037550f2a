// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

// Hands an address to whatever shows it (the desktop's browser). The URL has
// already passed the address rule (OpenableAddress); an opener passes it on
// as one argument, never through a shell.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    // False, with an error text, when nothing could be started.
    virtual bool open(const QUrl &url, QString *error) = 0;
    // In a new browser window (newWindow nonzero) or the most recently
    // active one; an opener that knows no windows opens as open() does.
    virtual bool openInWindow(const QUrl &url, int newWindow, QString *error)
    {
        Q_UNUSED(newWindow)
        return open(url, error);
    }
};
