// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkProbe.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace {

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool isPermanent(int status)
{
    return status == 301 || status == 308;
}

bool isWebAddress(const QUrl &url)
{
    return (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        && !url.host().isEmpty();
}

}  // namespace

LinkProbe::LinkProbe(QNetworkAccessManager &network, const QUrl &address, const Settings &settings,
                     QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_settings(settings)
    , m_url(address)
{
    m_result.address = address.toString();
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &LinkProbe::timedOut);
}

LinkProbe::~LinkProbe()
{
    dropReply();
}

void LinkProbe::start()
{
    m_seen.insert(m_url.adjusted(QUrl::RemoveFragment));
    send(true);
}

void LinkProbe::abort()
{
    m_deadline.stop();
    dropReply();
}

void LinkProbe::send(bool head)
{
    m_head = head;
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // Nothing of the check is kept: no cookies sent or stored, nothing cached.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::UserAgentHeader, m_settings.userAgent);
    m_reply = head ? m_network.head(request) : m_network.get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &LinkProbe::headersIn);
    connect(m_reply, &QNetworkReply::finished, this, &LinkProbe::replyEnded);
    m_deadline.start(m_settings.timeoutMs);
}

// The status line and headers are in: that is all a check needs.
void LinkProbe::headersIn()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        answered(status.toInt());
}

void LinkProbe::replyEnded()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        answered(status.toInt());
        return;
    }
    const QString reason = m_reply->errorString();
    end(LinkCheckResult::Outcome::Error, reason);
}

void LinkProbe::timedOut()
{
    end(LinkCheckResult::Outcome::TimedOut,
        tr("no answer within %1 s").arg(QString::number(m_settings.timeoutMs / 1000.0)));
}

void LinkProbe::answered(int status)
{
    m_deadline.stop();
    const QString reasonPhrase = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QByteArray location = m_reply->rawHeader("Location");
    dropReply();
    m_result.status = status;
    m_result.reason = QStringLiteral("%1 %2").arg(status).arg(reasonPhrase).trimmed();
    // A server that does not take HEAD says so with an error status; GET decides.
    if (m_head && status >= 400) {
        send(false);
        return;
    }
    if (isRedirect(status) && !location.isEmpty()) {
        m_result.hops.append({status, m_url.resolved(QUrl::fromEncoded(location)).toString()});
        if (followRedirect())
            send(true);
        return;
    }
    if (status >= 200 && status < 300)
        pageAnswered();
    else if (status == 404 || status == 410)
        end(LinkCheckResult::Outcome::Gone, m_result.reason);
    else
        end(LinkCheckResult::Outcome::Error, tr("the server answered %1").arg(m_result.reason));
}

// Goes on to the address of the last hop; false after ending the check
// when it must not be followed.
bool LinkProbe::followRedirect()
{
    const QUrl next(m_result.hops.last().address);
    if (!isWebAddress(next)) {
        end(LinkCheckResult::Outcome::Error, tr("redirected to an address that is not a web page: %1")
                                                 .arg(m_result.hops.last().address));
        return false;
    }
    if (m_seen.contains(next.adjusted(QUrl::RemoveFragment))) {
        end(LinkCheckResult::Outcome::Error, tr("redirect loop"));
        return false;
    }
    if (m_result.hops.size() > m_settings.maxHops) {
        end(LinkCheckResult::Outcome::Error, tr("more than %1 redirects").arg(m_settings.maxHops));
        return false;
    }
    m_seen.insert(next.adjusted(QUrl::RemoveFragment));
    m_url = next;
    return true;
}

// The page answers. Permanent redirects at the start of the way say that
// the address has moved, to where the last of them leads; temporary ones
// (302, 303, 307) say it stays, and what follows them is not the address's
// business.
void LinkProbe::pageAnswered()
{
    qsizetype permanent = 0;
    while (permanent < m_result.hops.size() && isPermanent(m_result.hops[permanent].status))
        ++permanent;
    if (permanent == 0) {
        end(LinkCheckResult::Outcome::Ok);
        return;
    }
    m_result.newAddress = m_result.hops[permanent - 1].address;
    end(LinkCheckResult::Outcome::Moved);
}

void LinkProbe::end(LinkCheckResult::Outcome outcome, const QString &reason)
{
    m_deadline.stop();
    dropReply();
    m_result.outcome = outcome;
    if (!reason.isEmpty())
        m_result.reason = reason;
    emit finished(m_result);
}

void LinkProbe::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->disconnect(this);
    // Not at once: this may run inside one of the reply's own signals.
    QMetaObject::invokeMethod(
        reply,
        [reply] {
            if (reply->isRunning())
                reply->abort();
        },
        Qt::QueuedConnection);
    reply->deleteLater();
}
