// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OpenableAddress.h"

#include "DesktopUrlOpener.h"

#include <QCoreApplication>
#include <QStringList>

namespace OpenableAddress {

namespace {

struct Verdict
{
    QUrl url;        // valid only when the address is opened
    QString reason;  // why not, otherwise
};

// Long addresses are cut in messages, which go to one status-bar line.
QString shown(const QString &address)
{
    constexpr qsizetype longest = 80;
    return address.size() <= longest ? address : address.left(longest) + QStringLiteral("...");
}

// Whether the text begins with a scheme ("name:"). "host:8080/path" is a
// host and a port, not a scheme.
bool hasScheme(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || !text[0].isLetter() || text[0].unicode() > 0x7f)
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const char16_t c = text[i].unicode();
        const bool allowed = (c < 0x80 && QChar(c).isLetterOrNumber()) || c == u'+' || c == u'-' || c == u'.';
        if (!allowed)
            return false;
    }
    qsizetype end = colon + 1;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 0x80)
        ++end;
    const bool port = end > colon + 1 && (end == text.size() || text[end] == u'/');
    return !port;
}

Verdict check(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return {QUrl(), QCoreApplication::translate("OpenableAddress", "No address to open")};
    // "/bin/sh" becomes "http:///bin/sh", which names no host and is refused below.
    const QUrl url(hasScheme(text) ? text : QStringLiteral("http://") + text, QUrl::TolerantMode);
    if (!url.isValid())
        return {QUrl(),
                QCoreApplication::translate("OpenableAddress", "Not a valid address: %1").arg(shown(text))};
    static const QStringList schemes {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                      QStringLiteral("file")};
    if (!schemes.contains(url.scheme()))
        return {QUrl(),
                QCoreApplication::translate("OpenableAddress", "Addresses beginning \"%1:\" are not opened")
                    .arg(shown(url.scheme()))};
    if (url.scheme() != QLatin1String("file")) {
        const QString host = url.host();
        if (host.isEmpty())
            return {QUrl(),
                    QCoreApplication::translate("OpenableAddress", "The address names no host: %1")
                        .arg(shown(text))};
        if (host.startsWith(u'-') || host.startsWith(u'.'))
            return {
                QUrl(),
                QCoreApplication::translate("OpenableAddress", "Not a valid host name: %1").arg(shown(host))};
    } else if (!url.path().startsWith(u'/')) {
        return {QUrl(),
                QCoreApplication::translate("OpenableAddress", "A file address needs a full path: %1")
                    .arg(shown(text))};
    } else if (DesktopUrlOpener::isRunnable(url)) {
        return {QUrl(),
                QCoreApplication::translate("OpenableAddress", "%1 is a program: it is not opened")
                    .arg(shown(url.path(QUrl::FullyDecoded)))};
    }
    return {url, QString()};
}

}  // namespace

QUrl fromText(const QString &address)
{
    return check(address).url;
}

QString refusal(const QString &address)
{
    return check(address).reason;
}

}  // namespace OpenableAddress
