// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

// The texts of the DDE conversations with browsers: the service names by
// browser number, the "WWW_OpenURL" request item and the "WWW_GetWindowInfo"
// reply, built and read here so that the launch, the capture and the
// browsers' side agree on them.
namespace DdeItems {

inline const QString openUrlTopic = QStringLiteral("WWW_OpenURL");
inline const QString windowInfoTopic = QStringLiteral("WWW_GetWindowInfo");
// The item that asks for the most recently active window's page.
inline const QString lastActiveWindow = QStringLiteral("-1");

// The services by browser number: 0 "IEXPLORE", 1 "Netscape", 2 "Opera",
// 3 and anything else "".
QString serviceName(int browser);

// The "WWW_OpenURL" item: the quoted address, ",,0" for a new window or
// ",,-1" for the most recently active one, and ",7" for Netscape.
QString openUrlItem(const QString &url, int newWindow, int browser);

struct OpenUrlRequest
{
    QString url;
    bool newWindow = false;
};

// Reads an "WWW_OpenURL" item as openUrlItem writes it (",7" or not);
// nullopt for anything else (no quotes, a missing or unknown window field,
// text after the flags).
std::optional<OpenUrlRequest> readOpenUrlItem(const QString &item);

struct WindowInfo
{
    QString url;
    QString title;
};

// The "WWW_GetWindowInfo" reply: "\"url\",\"title\"". Quotes inside the
// title are kept as they are.
QString windowInfoReply(const QString &url, const QString &title);

// Reads a reply: the address up to the first quote-comma-quote, the title
// from there to the reply's last quote, whole, commas and quotes included.
// nullopt when a quote or a field is missing.
std::optional<WindowInfo> readWindowInfo(const QString &reply);

}  // namespace DdeItems
