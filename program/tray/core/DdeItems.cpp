// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DdeItems.h"

#include <QStringList>

namespace DdeItems {

namespace {

const QString quote = QStringLiteral("\"");
const QString fieldBreak = QStringLiteral("\",\"");

}  // namespace

QString serviceName(int browser)
{
    static const QStringList names {QStringLiteral("IEXPLORE"), QStringLiteral("Netscape"),
                                    QStringLiteral("Opera")};
    return browser >= 0 && browser < names.size() ? names[browser] : QString();
}

QString openUrlItem(const QString &url, int newWindow, int browser)
{
    return quote + url + quote + (newWindow ? QStringLiteral(",,0") : QStringLiteral(",,-1"))
        + (browser == 1 ? QStringLiteral(",7") : QString());
}

std::optional<OpenUrlRequest> readOpenUrlItem(const QString &item)
{
    const qsizetype close = item.lastIndexOf(quote);
    if (!item.startsWith(quote) || close < 1)
        return std::nullopt;
    QString rest = item.mid(close + 1);
    if (rest.endsWith(QLatin1String(",7")))
        rest.chop(2);
    if (rest != QLatin1String(",,-1") && rest != QLatin1String(",,0"))
        return std::nullopt;
    return OpenUrlRequest {item.mid(1, close - 1), rest == QLatin1String(",,0")};
}

QString windowInfoReply(const QString &url, const QString &title)
{
    return quote + url + fieldBreak + title + quote;
}

std::optional<WindowInfo> readWindowInfo(const QString &reply)
{
    // The break after the address's opening quote: an address that begins
    // with a comma would otherwise end before it began.
    const qsizetype split = reply.indexOf(fieldBreak, 1);
    const qsizetype close = reply.lastIndexOf(quote);
    const qsizetype titleStart = split + fieldBreak.size();
    if (!reply.startsWith(quote) || split < 1 || close < titleStart)
        return std::nullopt;
    return WindowInfo {reply.mid(1, split - 1), reply.mid(titleStart, close - titleStart)};
}

}  // namespace DdeItems
