// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinkChecker.h"

#include <QUrl>

LinkChecker::LinkChecker(QObject *parent)
    : QObject(parent)
{
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

LinkChecker::~LinkChecker()
{
    stopProbes();
}

QByteArray LinkChecker::userAgent()
{
    return QByteArrayLiteral("Tessaly/" TESSALY_VERSION " (link check)");
}

void LinkChecker::check(const QStringList &addresses)
{
    cancel();
    ++m_generation;
    m_addresses = addresses;
    m_waiting.clear();
    for (int i = 0; i < int(addresses.size()); ++i)
        m_waiting.push_back(i);
    m_done = 0;
    m_running = true;
    m_cancelled = false;
    QMetaObject::invokeMethod(this, &LinkChecker::startMore, Qt::QueuedConnection);
}

void LinkChecker::cancel()
{
    if (!m_running)
        return;
    ++m_generation;
    stopProbes();
    m_waiting.clear();
    m_running = false;
    m_cancelled = true;
    emit finished();
}

void LinkChecker::stopProbes()
{
    for (auto &[index, probe] : m_probes) {
        probe->abort();
        probe->deleteLater();
    }
    m_probes.clear();
    m_perHost.clear();
}

// Starts waiting checks while the limits allow; a check whose host is busy
// waits for its turn without holding up the others.
void LinkChecker::startMore()
{
    const int generation = m_generation;
    size_t scanned = 0;
    while (m_running && scanned < m_waiting.size() && int(m_probes.size()) < m_limits.total) {
        const int index = m_waiting[scanned];
        const QUrl url = addressAt(index);
        const QString host = url.host().toLower();
        if (isWebAddress(url) && m_perHost.value(host) >= m_limits.perHost) {
            ++scanned;
            continue;
        }
        m_waiting.erase(m_waiting.begin() + qptrdiff(scanned));
        start(index, url);
        if (generation != m_generation)  // a slot cancelled the check, or started another
            return;
    }
    if (m_running && m_waiting.empty() && m_probes.empty()) {
        m_running = false;
        emit finished();
    }
}

// The address as a URL; one without a scheme is taken as http, as opening it does.
QUrl LinkChecker::addressAt(int index) const
{
    const QString text = m_addresses[index].trimmed();
    const QUrl url(text);
    return url.scheme().isEmpty() && !text.isEmpty() ? QUrl(QStringLiteral("http://") + text) : url;
}

bool LinkChecker::isWebAddress(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

void LinkChecker::start(int index, const QUrl &url)
{
    LinkCheckResult result;
    result.address = m_addresses[index];
    if (!isWebAddress(url)) {
        report(index, result);
        return;
    }
    if (!url.isValid() || url.host().isEmpty()) {
        result.outcome = LinkCheckResult::Outcome::Error;
        result.reason = tr("not a valid address");
        report(index, result);
        return;
    }
    const QString host = url.host().toLower();
    ++m_perHost[host];
    auto *probe = new LinkProbe(m_network, url, {m_limits.timeoutMs, m_limits.maxHops, userAgent()}, this);
    m_probes[index] = probe;
    connect(probe, &LinkProbe::finished, this, [this, index, host, probe](const LinkCheckResult &result) {
        probeEnded(index, host, probe, result);
    });
    probe->start();
}

void LinkChecker::probeEnded(int index, const QString &host, LinkProbe *probe, const LinkCheckResult &result)
{
    m_probes.erase(index);
    if (--m_perHost[host] <= 0)
        m_perHost.remove(host);
    probe->deleteLater();
    LinkCheckResult reported = result;
    reported.address = m_addresses[index];
    report(index, reported);
    // Later, so that a slot that cancels or starts a new check sees a settled checker.
    QMetaObject::invokeMethod(this, &LinkChecker::startMore, Qt::QueuedConnection);
}

void LinkChecker::report(int index, const LinkCheckResult &result)
{
    ++m_done;
    emit checked(index, result);
    if (m_running)
        emit progress(m_done, totalCount());
}
