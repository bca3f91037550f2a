// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "LinkCheckResult.h"
#include "LinkProbe.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <map>

// Checks a list of addresses (see LinkProbe), a few at once: at most
// `total` checks run together and at most `perHost` for one host (the host
// of the address a check starts from). Addresses that are not http or https
// are reported as not checked, without a request. Results come by the
// address's index in the list, in the order the checks end. No cookies are
// kept and nothing is cached.
class LinkChecker : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int total = 8;
        int perHost = 2;
        int timeoutMs = 10000;
        int maxHops = 10;
    };

    explicit LinkChecker(QObject *parent = nullptr);
    ~LinkChecker() override;

    void setLimits(const Limits &limits) { m_limits = limits; }
    const Limits &limits() const { return m_limits; }
    // "Tessaly/VERSION (link check)"
    static QByteArray userAgent();

    // Starts checking; a check still running is cancelled first. The first
    // results come once the event loop runs.
    void check(const QStringList &addresses);
    // Stops every request at once; finished() follows, and no result.
    void cancel();

    bool isRunning() const { return m_running; }
    bool wasCancelled() const { return m_cancelled; }
    int doneCount() const { return m_done; }
    int totalCount() const { return int(m_addresses.size()); }

signals:
    void checked(int index, const LinkCheckResult &result);
    void progress(int done, int total);
    void finished();

private:
    void startMore();
    QUrl addressAt(int index) const;
    static bool isWebAddress(const QUrl &url);
    void start(int index, const QUrl &url);
    void probeEnded(int index, const QString &host, LinkProbe *probe, const LinkCheckResult &result);
    void report(int index, const LinkCheckResult &result);
    void stopProbes();

    Limits m_limits;
    QNetworkAccessManager m_network;
    QStringList m_addresses;
    std::deque<int> m_waiting;
    QHash<QString, int> m_perHost;
    std::map<int, LinkProbe *> m_probes;  // by index
    int m_done = 0;
    int m_generation = 0;  // counts check() and cancel(): a loop that reported sees whether it still goes on
    bool m_running = false;
    bool m_cancelled = false;
};
