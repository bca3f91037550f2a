// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A client conversation with a browser in the manner of DDE: connect to a
// service ("Netscape", "Opera", "IEXPLORE") and topic ("WWW_OpenURL",
// "WWW_GetWindowInfo"), request an item as text, disconnect. The Linux
// implementation answers the requests with the browsers installed here; a
// service with no running browser behind it fails as a DDE conversation
// does.
class DdeClient
{
public:
    enum class Status {
        Ok,
        NoConversation,  // no such service or topic is answering
        Timeout,         // the server took the request but did not answer in time
        Failed,          // the server refused the request
    };

    // The DDE time-out error number that the launch treats as success for Netscape.
    static constexpr int timeoutErrorNumber = 286;

    virtual ~DdeClient() = default;

    // Requests item on service|topic; reply receives the server's text (for
    // "WWW_GetWindowInfo": the quoted address, a comma, the quoted title).
    virtual Status request(const QString &service, const QString &topic, const QString &item, QString *reply) = 0;
};
