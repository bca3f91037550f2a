// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// One redirect on the way to a page: the status that sent us on and where to.
struct LinkHop
{
    int status = 0;
    QString address;
};

// What checking one address found.
struct LinkCheckResult
{
    enum class Outcome {
        Ok,          // the page answers (2xx), perhaps through temporary redirects
        Moved,       // permanent redirects (301, 308) lead to a page that answers: newAddress
        Gone,        // the server says the page is not there (404, 410)
        Error,       // no page: another status, a redirect loop, a refused connection... (reason)
        TimedOut,    // no complete answer within the time-out
        NotChecked,  // not an http or https address
    };

    QString address;
    Outcome outcome = Outcome::NotChecked;
    QString newAddress;  // Moved only
    QString reason;      // Error and TimedOut: why, in words; the status line otherwise
    int status = 0;      // the last HTTP status seen, 0 when none came
    QList<LinkHop> hops;

    // A word for scripts: "ok", "moved", "gone", "error", "timeout", "not-checked".
    static QString outcomeName(Outcome outcome);
};
